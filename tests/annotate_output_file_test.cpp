// What sorvani-annotate --output does to the file it names: whatever the path is (a link, a FIFO,
// a device, a file with several names, a private file), nothing is harmed and nothing is left.
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <set>
#include <thread>

#include "annotate_tool.h"

namespace sorvani {
namespace {

using testing_tool::AnnotateTool;
using testing_tool::LongText;
using testing_tool::Outcome;
using testing_tool::Quote;
using testing_tool::ReadBytes;
using testing_tool::WriteBytes;
namespace fs = std::filesystem;

constexpr std::string_view kAnnotated = "Zhong \r\n中    \r\n";

class OutputFile : public AnnotateTool {
  protected:
    Outcome Output(const fs::path& file, std::string_view input = "中") {
        return Annotate(input, "--output " + Quote(file));
    }

    // Files in the test's folder that neither the test nor the run was meant to make.
    std::vector<fs::path> LeftOver(std::set<fs::path> expected = {}) const {
        for (const char* name : {"stdin", "stdout", "stderr", "dictionary.dll", "input.txt"})
            expected.insert(dir_ / name);
        std::vector<fs::path> files;
        for (const auto& entry : fs::recursive_directory_iterator(dir_))
            if (!fs::is_directory(entry.symlink_status()) && !expected.count(entry.path()))
                files.push_back(entry.path());
        return files;
    }

    static struct stat Status(const fs::path& file) {
        struct stat status = {};
        EXPECT_EQ(::lstat(file.c_str(), &status), 0) << file;
        return status;
    }
};

TEST_F(OutputFile, ALinkIsFollowedToTheFileItNames) {
    fs::create_directory(dir_ / "sub");
    WriteBytes(dir_ / "sub" / "real.txt", "old");
    // A chain: an absolute link to a relative one.
    fs::create_symlink("sub/real.txt", dir_ / "relative");
    fs::create_symlink(dir_ / "relative", dir_ / "absolute");
    Outcome outcome = Output(dir_ / "absolute");
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_TRUE(fs::is_symlink(dir_ / "absolute"));
    EXPECT_TRUE(fs::is_symlink(dir_ / "relative"));
    EXPECT_EQ(ReadBytes(dir_ / "sub" / "real.txt"), kAnnotated);

    // A link to a file not yet there makes the file.
    fs::create_symlink("sub/new.txt", dir_ / "dangling");
    outcome = Output(dir_ / "dangling");
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_TRUE(fs::is_symlink(dir_ / "dangling"));
    EXPECT_EQ(ReadBytes(dir_ / "sub" / "new.txt"), kAnnotated);

    fs::create_symlink("loop", dir_ / "loop");
    outcome = Output(dir_ / "loop");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("loop: cannot write"), std::string::npos) << outcome.err;
    EXPECT_TRUE(LeftOver({dir_ / "sub" / "real.txt", dir_ / "sub" / "new.txt", dir_ / "relative",
                          dir_ / "absolute", dir_ / "dangling", dir_ / "loop"})
                    .empty());
}

TEST_F(OutputFile, AFifoIsWrittenDirectly) {
    const fs::path fifo = dir_ / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = ReadBytes(fifo); });
    const Outcome outcome = Output(fifo);
    // Should the tool fail before it opens the FIFO, the reader still ends.
    if (const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK); fd >= 0) ::close(fd);
    reader.join();
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(received, kAnnotated);
    EXPECT_TRUE(S_ISFIFO(Status(fifo).st_mode));
    EXPECT_TRUE(LeftOver({fifo}).empty());
}

TEST_F(OutputFile, ADeviceIsWrittenDirectlyAndStaysADevice) {
    // Private nodes for the memory devices null (1, 3) and full (1, 7).
    const fs::path null = dir_ / "null", full = dir_ / "full";
    if (::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0 ||
        ::mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0)
        GTEST_SKIP() << "device nodes cannot be made here (not root)";
    const int probe = ::open(null.c_str(), O_WRONLY);
    if (probe < 0) GTEST_SKIP() << "device nodes cannot be opened here";
    ::close(probe);

    Outcome outcome = Output(null);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_TRUE(S_ISCHR(Status(null).st_mode));
    EXPECT_EQ(Status(null).st_rdev, makedev(1, 3));

    outcome = Output(full);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err,
              "sorvani-annotate: " + full.string() + ": cannot write (No space left on device)\n");
    EXPECT_TRUE(S_ISCHR(Status(full).st_mode));
    EXPECT_TRUE(LeftOver({null, full}).empty());
}

TEST_F(OutputFile, AFileWithSeveralNamesIsReplacedUnderTheNameGiven) {
    const fs::path first = dir_ / "first.txt", second = dir_ / "second.txt";
    WriteBytes(first, "old");
    fs::create_hard_link(first, second);
    // A failed run leaves both as they were.
    Outcome outcome =
        Run("--dictionary " + Quote(dir_ / "missing.dll") + " --output " + Quote(second));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(ReadBytes(first), "old");

    // The new text takes the name given in one step; the other name keeps the old text whole.
    outcome = Output(second);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(ReadBytes(second), kAnnotated);
    EXPECT_EQ(ReadBytes(first), "old");
    EXPECT_EQ(Status(first).st_nlink, 1u);
    EXPECT_EQ(Status(second).st_nlink, 1u);
    EXPECT_TRUE(LeftOver({first, second}).empty());
}

TEST_F(OutputFile, WhatIsNoFileIsRefusedAndKept) {
    const fs::path socketFile = dir_ / "socket";
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socketFile.native().size(), sizeof address.sun_path);
    std::strcpy(address.sun_path, socketFile.c_str());
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const Outcome outcome = Output(socketFile);
    ::close(listener);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "sorvani-annotate: " + socketFile.string() +
                               ": cannot write (not a regular file, FIFO or device)\n");
    EXPECT_TRUE(S_ISSOCK(Status(socketFile).st_mode));
    EXPECT_TRUE(LeftOver({socketFile}).empty());
}

TEST_F(OutputFile, AReplacedFileKeepsItsPermissionsAndOwner) {
    const fs::path output = dir_ / "private.txt";
    WriteBytes(output, "old");
    for (const mode_t mode : {0600, 0640, 0755}) {
        ASSERT_EQ(::chmod(output.c_str(), mode), 0);
        const Outcome outcome = Output(output);
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        EXPECT_EQ(Status(output).st_mode & 07777, mode);
        EXPECT_EQ(ReadBytes(output), kAnnotated);
    }
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(output.c_str(), 4321, 8765), 0);
        EXPECT_EQ(Output(output).status, 0);
        EXPECT_EQ(Status(output).st_uid, 4321u);
        EXPECT_EQ(Status(output).st_gid, 8765u);
    }
}

TEST_F(OutputFile, ANewFileGetsWhatTheUmaskLeaves) {
    for (const mode_t mask : {022, 077}) {
        const fs::path output = dir_ / ("new" + std::to_string(mask) + ".txt");
        const mode_t previous = ::umask(mask);
        const Outcome outcome = Output(output);
        ::umask(previous);
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        EXPECT_EQ(Status(output).st_mode & 0777, 0666 & ~mask);
    }
}

TEST_F(OutputFile, AReadOnlyFileIsRefused) {
    const fs::path output = dir_ / "kept.txt";
    WriteBytes(output, "old");
    ASSERT_EQ(::chmod(output.c_str(), 0444), 0);
    const Outcome outcome = Output(output);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err,
              "sorvani-annotate: " + output.string() + ": cannot write (the file is read-only)\n");
    EXPECT_EQ(ReadBytes(output), "old");
    EXPECT_TRUE(LeftOver({output}).empty());
}

TEST_F(OutputFile, AnyValidNameWorks) {
    const fs::path output = dir_ / (std::string(251, 'a') + ".txt");
    WriteBytes(output, "old");
    const Outcome outcome = Output(output);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(ReadBytes(output), kAnnotated);
    EXPECT_TRUE(LeftOver({output}).empty());
}

TEST_F(OutputFile, AReplacedFileKeepsItsAccessControlListAndAttributes) {
    const fs::path output = dir_ / "shared.txt";
    WriteBytes(output, "old");
    ASSERT_EQ(::chmod(output.c_str(), 0640), 0);
    // A named user may write, the owning group may not: the mode's group bits show the mask.
    const std::string setAcl = "setfacl -m u:nobody:rw-,g::--- " + Quote(output) + " 2>/dev/null";
    if (std::system(setAcl.c_str()) != 0)
        GTEST_SKIP() << "setfacl is missing or the file system keeps no access control lists";
    ASSERT_EQ(::setxattr(output.c_str(), "user.origin", "test", 4, 0), 0);
    const auto acl = [&] {
        RunTo(dir_ / "acl", "-c " + Quote(output), "", "getfacl");
        return ReadBytes(dir_ / "acl");
    };
    const std::string before = acl();
    ASSERT_NE(before.find("user:nobody:rw-"), std::string::npos) << before;

    const Outcome outcome = Output(output);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(ReadBytes(output), kAnnotated);
    EXPECT_EQ(acl(), before);
    EXPECT_EQ(Status(output).st_mode & 07777, 0660u);
    char origin[8] = {};
    EXPECT_EQ(::getxattr(output.c_str(), "user.origin", origin, sizeof origin), 4);
    EXPECT_STREQ(origin, "test");
    EXPECT_TRUE(LeftOver({output, dir_ / "acl"}).empty());
}

TEST_F(OutputFile, ALeftoverOfAKilledRunIsRemovedByALaterRun) {
    const fs::path output = dir_ / "out.txt";
    const fs::path stale = dir_ / ".sorvani-abcd1234", recent = dir_ / ".sorvani-recent12",
                   locked = dir_ / ".sorvani-locked12", other = dir_ / ".sorvani-notours";
    for (const fs::path& file : {stale, recent, locked, other}) WriteBytes(file, "part");
    // Left an hour ago, except the one still being written.
    const timespec anHourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
    for (const fs::path& file : {stale, locked, other})
        ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), anHourAgo, 0), 0);
    // A run that still writes holds a lock on its file.
    const int held = ::open(locked.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    const Outcome outcome = Output(output);
    ::close(held);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(ReadBytes(output), kAnnotated);
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(LeftOver({output, recent, locked, other}).empty());
}

// Runs the tool on a large input in the background, as a shell would start it.
class BackgroundRun {
  public:
    BackgroundRun(const std::vector<std::string>& arguments, const fs::path& input,
                  rlim_t fileSizeLimit = RLIM_INFINITY) {
        std::vector<char*> argv;
        for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        pid_ = ::fork();
        if (pid_ != 0) return;
        // The child starts with the signals as a shell leaves them: default, none blocked.
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGXFSZ})
            ::signal(signal, SIG_DFL);
        const rlimit limit = {fileSizeLimit, fileSizeLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const int in = ::open(input.c_str(), O_RDONLY);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(in, 0);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }

    pid_t pid() const { return pid_; }

    // The raw wait status, once it has ended; nothing while it runs.
    std::optional<int> Ended(bool wait = false) {
        int status = 0;
        if (::waitpid(pid_, &status, wait ? 0 : WNOHANG) == pid_) return status;
        return std::nullopt;
    }

  private:
    pid_t pid_;
};

// True once the run has an open file that is not one the test gave it and holds some bytes: the
// output it writes, which may have no name.
bool WritesOutput(pid_t pid, const std::set<ino_t>& given) {
    std::error_code error;
    for (const auto& entry :
         fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", error)) {
        struct stat status;
        if (::stat(entry.path().c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
            !given.count(status.st_ino) && status.st_size > 0)
            return true;
    }
    return false;
}

TEST_F(OutputFile, ASignalDuringTheOutputLeavesNoTemporaryFile) {
    const fs::path output = dir_ / "out.txt";
    WriteBytes(output, "old");
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGKILL}) {
        // The run must still be writing when the signal comes: should it end first, the input
        // is made longer and the run repeated.
        for (size_t size = 1 << 22;; size *= 2) {
            ASSERT_LE(size, 1u << 28) << "the output never grew while the run wrote";
            WriteBytes(dir_ / "input.txt", LongText(size));
            const std::set<ino_t> given = {Status(output).st_ino, Status(dictionary_).st_ino,
                                           Status(dir_ / "input.txt").st_ino};
            BackgroundRun run({SORVANI_ANNOTATE, "--dictionary", dictionary_.string(), "--output",
                               output.string(), (dir_ / "input.txt").string()},
                              dir_ / "input.txt");
            std::optional<int> ended;
            while (!(ended = run.Ended()) && !WritesOutput(run.pid(), given))
                std::this_thread::yield();
            if (!ended) {
                ::kill(run.pid(), signal);
                ended = run.Ended(true);
            }
            if (WIFEXITED(*ended) && WEXITSTATUS(*ended) == 0) continue;  // too soon
            EXPECT_TRUE(WIFSIGNALED(*ended)) << signal;
            EXPECT_EQ(WTERMSIG(*ended), signal);
            break;
        }
        EXPECT_TRUE(LeftOver({output}).empty()) << signal;
        EXPECT_EQ(ReadBytes(output), "old") << signal;
    }

    EXPECT_EQ(ReadBytes(output), "old");
}

// Whichever run ends last, the file holds the whole of one output, never a mix of both.
TEST_F(OutputFile, RunsAtOnceOntoAFileWithSeveralNamesLeaveOneWholeOutput) {
    const fs::path first = dir_ / "first.txt", second = dir_ / "second.txt";
    WriteBytes(first, "old");
    fs::create_hard_link(first, second);
    std::string texts[2] = {LongText(1 << 20), LongText(1 << 20)};
    std::replace(texts[1].begin(), texts[1].end(), '\r', ' ');
    std::vector<std::string> outputs;
    for (int i = 0; i < 2; ++i) {
        const fs::path input = dir_ / ("input" + std::to_string(i) + ".txt");
        WriteBytes(input, texts[i]);
        outputs.push_back(Annotate("", Quote(input)).out);
    }
    ASSERT_NE(outputs[0], outputs[1]);
    for (int round = 0; round < 3; ++round) {
        std::vector<std::unique_ptr<BackgroundRun>> runs;
        for (int i = 0; i < 2; ++i) {
            const fs::path input = dir_ / ("input" + std::to_string(i) + ".txt");
            runs.push_back(std::make_unique<BackgroundRun>(
                std::vector<std::string>{SORVANI_ANNOTATE, "--dictionary", dictionary_.string(),
                                         "--output", second.string(), input.string()},
                input));
        }
        for (auto& run : runs) EXPECT_EQ(*run->Ended(true), 0);
        const std::string written = ReadBytes(second);
        EXPECT_TRUE(written == outputs[0] || written == outputs[1]) << round;
        EXPECT_EQ(ReadBytes(first), "old");
    }
    EXPECT_TRUE(LeftOver({first, second, dir_ / "input0.txt", dir_ / "input1.txt"}).empty());
}

TEST_F(OutputFile, AFileSizeLimitIsAWriteFailure) {
    // ulimit -f ended the run with SIGXFSZ and no message of its own.
    const fs::path output = dir_ / "out.txt";
    WriteBytes(output, "old");
    WriteBytes(dir_ / "input.txt", LongText(1 << 20));
    const auto run = [&](const std::string& redirection) {
        const int raw = std::system(
            ("ulimit -f 100; " + Quote(SORVANI_ANNOTATE) + " --dictionary " + Quote(dictionary_) +
             " " + Quote(dir_ / "input.txt") + redirection + " 2> " + Quote(dir_ / "stderr"))
                .c_str());
        EXPECT_TRUE(WIFEXITED(raw)) << raw;
        EXPECT_EQ(WEXITSTATUS(raw), 1);
        return ReadBytes(dir_ / "stderr");
    };
    EXPECT_EQ(run(" --output " + Quote(output)),
              "sorvani-annotate: " + output.string() + ": cannot write (File too large)\n");
    EXPECT_EQ(ReadBytes(output), "old");
    EXPECT_TRUE(LeftOver({output}).empty());
    EXPECT_EQ(run(" > " + Quote(dir_ / "stdout")),
              "sorvani-annotate: standard output: cannot write (File too large)\n");
}

}  // namespace
}  // namespace sorvani
