// One running copy per user session.
#pragma once

namespace velmora {

// Claims the program's single-instance token; false when an earlier
// instance holds it. The token is held until the process ends, so two
// starts at the same moment cannot both win.
bool ClaimSingleInstance();

}  // namespace velmora
