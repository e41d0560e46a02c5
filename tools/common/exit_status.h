// The exit status of both programs.
#pragma once

namespace tools {

enum ExitStatus { kExitClean = 0, kExitSkipped = 1, kExitUnusable = 2 };

}  // namespace tools
