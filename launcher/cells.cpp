#include "launcher/cells.h"

namespace velmora::launcher {

namespace {

// Positions come from the panel's form as it was laid out by hand, which is
// why pictures and captions are not all on an exact grid inside their cells.
constexpr Cell kCells[] = {
    // First row.
    {32, 40, "Image5", 56, 55, 30, 30, "Label6", "我的电脑", 48, 88, Command::OpenMyComputer},
    {120, 40, "Image18", 144, 55, 30, 30, "Label2", "网站导航", 136, 88, Command::OpenWebNavigation},
    {208, 40, "Image21", 235, 55, 30, 30, "Label25", "网络搜索", 226, 88, Command::ShowWebSearch},
    {304, 40, "Image12", 328, 55, 30, 30, "Label13", "打开控制面板", 310, 88, Command::ControlPanel},
    {400, 40, "Image22", 416, 55, 40, 30, "Label26", "任务管理器", 413, 88, Command::TaskManager},
    // Second row.
    {32, 112, "Image8", 56, 130, 30, 30, "Label9", "清空回收站", 44, 163, Command::EmptyRecycleBin},
    {120, 112, "Image17", 144, 130, 30, 30, "Label3", "打开光驱", 136, 163, Command::ToggleCdTray},
    {208, 112, "Image19", 232, 128, 30, 30, "Label22", "桌面变换", 226, 163, Command::ShowWallpaper},
    {304, 112, "Image11", 328, 130, 30, 30, "Label12", "添加/删除程序", 306, 163, Command::AddRemovePrograms},
    {400, 112, "Image14", 424, 130, 30, 30, "Label15", "关于", 429, 163, Command::ShowAboutBox},
    // Third row.
    {32, 184, "Image7", 56, 200, 30, 30, "Label8", "系统搜索", 48, 234, Command::SearchDriveC},
    {120, 184, "Image3", 144, 200, 40, 30, "Label4", "桌面取色", 136, 234, Command::ShowColourPicker},
    {208, 184, "Image16", 232, 200, 30, 30, "Label17", "计算器", 232, 234, Command::StartCalculator},
    {304, 184, "Image10", 328, 200, 30, 30, "Label11", "系统属性", 317, 234, Command::SystemProperties},
    {400, 184, "Image20", 424, 200, 30, 30, "Label23", "关闭显示器", 413, 232, Command::MonitorOff},
    // Fourth row.
    {32, 256, "Image6", 56, 275, 30, 30, "Label7", "资源管理器", 40, 308, Command::ExploreDriveC},
    {120, 256, "Image15", 144, 275, 30, 30, "Label16", "修改系统时间", 124, 308, Command::DateAndTime},
    {208, 256, "Image4", 235, 275, 30, 30, "Label5", "记事本", 232, 308, Command::StartNotepad},
    {304, 256, "Image9", 328, 275, 30, 30, "Label10", "显示属性", 317, 308, Command::DisplayProperties},
    {400, 256, "Image13", 424, 275, 30, 30, "Label14", "关闭计算机", 413, 308, Command::PowerMenu},
};

// Our own small utilities. The captions stay within four characters: the
// links are 72 px apart and the panel's font is 12 px per character.
constexpr Link kLinks[] = {
    {"Label19", "截图助手", "https://velmora.github.io/snap/", 280},
    {"Label20", "便签", "https://velmora.github.io/notes/", 352},
    {"Label21", "文件粉碎", "https://velmora.github.io/shred/", 424},
};

}  // namespace

std::span<const Cell> Cells() { return kCells; }

std::span<const Link> RecommendedLinks() { return kLinks; }

}  // namespace velmora::launcher
