#pragma once
#include <string>
#include <vector>

namespace vantrel {

// How a started program ended.
struct ProcessEnd {
    enum class How {
        NotStarted,  // missing, not executable, or the start failed
        Exited,      // ended on its own; exitCode holds its code
        Crashed,     // killed by a signal: there is no exit code
    };
    How how = How::NotStarted;
    int exitCode = 0;

    bool ExitedWith(int code) const { return how == How::Exited && exitCode == code; }
};

// Starts a program with an argument list (no shell in between, so blanks and
// quotes in the arguments arrive as they are) and waits, without a time limit,
// until it has ended. The desktop's starter keeps the windows painted meanwhile;
// tests put a scripted one in its place.
class IProcessStarter {
public:
    virtual ~IProcessStarter() = default;
    virtual ProcessEnd Run(const std::string& program, const std::vector<std::string>& arguments) = 0;
};

}  // namespace vantrel
