#include "launcher/cells.h"

namespace velmora::launcher {

namespace {

// Positions come from the panel's form as it was laid out by hand, which is
// why pictures and captions are not all on an exact grid inside their cells.
constexpr Cell kCells[] = {
    // First row.
    {32, 40, 56, 55, 30, 30, "我的电脑", 48, 88, Action::OpenMyComputer},
    {120, 40, 144, 55, 30, 30, "网站导航", 136, 88, Action::OpenWebNavigation},
    {208, 40, 235, 55, 30, 30, "网络搜索", 226, 88, Action::ShowSearchBox},
    {304, 40, 328, 55, 30, 30, "打开控制面板", 310, 88, Action::OpenControlPanel},
    {400, 40, 416, 55, 40, 30, "任务管理器", 413, 88, Action::OpenTaskManager},
    // Second row.
    {32, 112, 56, 130, 30, 30, "清空回收站", 44, 163, Action::EmptyRecycleBin},
    {120, 112, 144, 130, 30, 30, "打开光驱", 136, 163, Action::ToggleCdTray},
    {208, 112, 232, 128, 30, 30, "桌面变换", 226, 163, Action::ShowWallpaperChanger},
    {304, 112, 328, 130, 30, 30, "添加/删除程序", 306, 163, Action::OpenAddRemovePrograms},
    {400, 112, 424, 130, 30, 30, "关于", 429, 163, Action::ShowAboutBox},
    // Third row.
    {32, 184, 56, 200, 30, 30, "系统搜索", 48, 234, Action::SearchDriveC},
    {120, 184, 144, 200, 40, 30, "桌面取色", 136, 234, Action::ShowColourPicker},
    {208, 184, 232, 200, 30, 30, "计算器", 232, 234, Action::StartCalculator},
    {304, 184, 328, 200, 30, 30, "系统属性", 317, 234, Action::OpenSystemProperties},
    {400, 184, 424, 200, 30, 30, "关闭显示器", 413, 232, Action::MonitorOff},
    // Fourth row.
    {32, 256, 56, 275, 30, 30, "资源管理器", 40, 308, Action::ExploreDriveC},
    {120, 256, 144, 275, 30, 30, "修改系统时间", 124, 308, Action::OpenDateAndTime},
    {208, 256, 235, 275, 30, 30, "记事本", 232, 308, Action::StartNotepad},
    {304, 256, 328, 275, 30, 30, "显示属性", 317, 308, Action::OpenDisplayProperties},
    {400, 256, 424, 275, 30, 30, "关闭计算机", 413, 308, Action::ShowPowerMenu},
};

}  // namespace

std::span<const Cell> Cells() { return kCells; }

}  // namespace velmora::launcher
