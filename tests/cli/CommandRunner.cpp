#include "CommandRunner.h"

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

std::string CommandRunner::quote(const std::string& sArgument)
{
    std::string sQuoted = "'";
    for (const char c : sArgument)
        sQuoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return sQuoted + "'";
}

std::string CommandRunner::readFile(const std::string& sPath)
{
    std::ifstream file(sPath, std::ios::binary);
    std::ostringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

CommandRunner::Outcome CommandRunner::run(const std::string& sProgram, const std::vector<std::string>& arguments,
                                          const std::string& sStdinFile)
{
    std::string sCommandLine = quote(sProgram);
    for (const auto& sArgument : arguments)
        sCommandLine += " " + quote(sArgument);
    sCommandLine += " < " + (sStdinFile.empty() ? std::string("/dev/null") : quote(sStdinFile));
    return runShell(sCommandLine);
}

CommandRunner::Outcome CommandRunner::runShell(const std::string& sCommandLine)
{
    static std::atomic<int> iCounter{0};
    const std::string sBase = "/tmp/keyra-test-" + std::to_string(getpid()) + "-" + std::to_string(iCounter++);
    const std::string sOutFile = sBase + ".out";
    const std::string sErrFile = sBase + ".err";
    const int iStatus = std::system(("(" + sCommandLine + ") > " + sOutFile + " 2> " + sErrFile).c_str());

    Outcome outcome;
    outcome.iExitStatus = WIFEXITED(iStatus) ? WEXITSTATUS(iStatus) : -1;
    outcome.sOut = readFile(sOutFile);
    outcome.sErr = readFile(sErrFile);
    std::remove(sOutFile.c_str());
    std::remove(sErrFile.c_str());
    return outcome;
}
