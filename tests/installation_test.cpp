// Sorvani as a user gets it: installed with cmake --install into a folder of its own, and as a
// Debian package. The installed programs must work from anywhere, exactly as the built ones do.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct Result {
    int status;
    std::string output;  // standard output and standard error together
};

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string Quote(const fs::path& path) { return Quote(path.string()); }

Result Shell(const std::string& command) {
    std::FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return {-1, "cannot start: " + command};
    std::string output;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
    const int raw = ::pclose(pipe);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, output};
}

bool Available(const std::string& program) {
    return Shell("command -v " + Quote(program)).status == 0;
}

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The files (and links) under a folder, as paths relative to it.
std::set<std::string> FilesUnder(const fs::path& folder) {
    std::set<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (!entry.is_directory() || entry.is_symlink())
            files.insert(entry.path().lexically_relative(folder).string());
    return files;
}

// The long options (without their dashes) that a text names: "--tones" in a help text, or
// "\-\-tones" in a manual page.
std::set<std::string> LongOptions(const std::string& text) {
    static const std::regex option(R"((?:--|\\-\\-)([a-z][a-z-]*))");
    std::set<std::string> options;
    for (std::sregex_iterator it(text.begin(), text.end(), option), end; it != end; ++it)
        options.insert((*it)[1]);
    return options;
}

const fs::path kBuiltPrograms = SORVANI_PROGRAM_DIR;

// Installs the build under /usr of the given root, as a package is staged.
Result Install(const fs::path& root) {
    return Shell("DESTDIR=" + Quote(root) + " " + Quote(std::string(CMAKE_COMMAND)) +
                 " --install " + Quote(std::string(SORVANI_BUILD_DIR)) + " --prefix /usr");
}

// A sample of what users annotate: Chinese with punctuation and Latin letters, over lines long
// enough to wrap.
const std::string kSample =
    "学习汉语，从拼音开始。Sorvani 把拼音写在汉字上面，每个音节正对着它所注的汉字。\n"
    "第二行：一二三四五六七八九十，百千万。\n";

// A new folder of its own for a test, removed with everything in it when the test ends.
struct TemporaryFolder {
    explicit TemporaryFolder(const std::string& name)
        : path(fs::temp_directory_path() / (name + "-" + std::to_string(::getpid()))) {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TemporaryFolder() { fs::remove_all(path); }
    const fs::path path;
};

class Installed : public testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(folder_ / "elsewhere");
        std::ofstream(folder_ / "elsewhere/sample.txt", std::ios::binary) << kSample;
        const Result install = Install(folder_ / "root");
        ASSERT_EQ(install.status, 0) << install.output;
        prefix_ = folder_ / "root/usr";
    }

    // Runs a shell command in a folder that is neither the build's nor the installation's.
    Result Elsewhere(const std::string& command) const {
        return Shell("cd " + Quote(folder_ / "elsewhere") + " && " + command);
    }

    // What a program writes for the sample, from any folder.
    std::string AnnotateSample(const std::string& program, const std::string& options) const {
        const Result run = Elsewhere(program + " " + options + " sample.txt");
        EXPECT_EQ(run.status, 0) << program << " " << options << ": " << run.output;
        return run.output;
    }

    const TemporaryFolder temporary_{"sorvani-installed"};
    const fs::path& folder_ = temporary_.path;
    fs::path prefix_;
};

TEST_F(Installed, AnnotatesFromAnyFolderExactlyAsTheBuiltProgram) {
    // Through the link in bin/, by its path and found on the PATH, as text and as RTF (whose
    // module lies in the program folder).
    const std::string link = Quote(prefix_ / "bin/sorvani-annotate");
    const std::string onPath = "PATH=" + Quote(prefix_ / "bin") + ":\"$PATH\" sorvani-annotate";
    const std::string built = Quote(kBuiltPrograms / "sorvani-annotate");
    for (const std::string options : {"", "--tones", "--format rtf"}) {
        const std::string expected = AnnotateSample(built, options);
        EXPECT_GT(expected.size(), kSample.size()) << options;
        EXPECT_EQ(AnnotateSample(link, options), expected) << options;
        EXPECT_EQ(AnnotateSample(onPath, options), expected) << options;
    }
}

TEST_F(Installed, ProgramFolderHoldsEverythingTheBuildPutsBesideThePrograms) {
    EXPECT_EQ(FilesUnder(prefix_ / "lib/sorvani"), FilesUnder(kBuiltPrograms));
    EXPECT_EQ(ReadBytes(prefix_ / "lib/sorvani/VeRevor.dll"),
              ReadBytes(kBuiltPrograms / "VeRevor.dll"));
    for (const std::string program : {"sorvani", "sorvani-annotate"}) {
        const fs::path link = prefix_ / "bin" / program;
        ASSERT_TRUE(fs::is_symlink(link)) << link;
        EXPECT_EQ(fs::canonical(link), fs::canonical(prefix_ / "lib/sorvani" / program));
    }
}

TEST_F(Installed, ProgramsTellTheProjectVersionWithoutADisplay) {
    const std::string noDisplay = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ";
    for (const std::string program : {"sorvani", "sorvani-annotate"}) {
        const Result version =
            Elsewhere(noDisplay + Quote(prefix_ / "bin" / program) + " --version");
        EXPECT_EQ(version.status, 0) << version.output;
        EXPECT_EQ(version.output, program + " " + SORVANI_PROJECT_VERSION + "\n");
    }
}

TEST_F(Installed, MenuEntryAndMetadataValidateAndNameWhatIsInstalled) {
    const fs::path desktop = prefix_ / "share/applications/io.github.sorvani.Sorvani.desktop";
    const fs::path metainfo = prefix_ / "share/metainfo/io.github.sorvani.Sorvani.metainfo.xml";
    const std::string entry = ReadBytes(desktop);
    EXPECT_NE(entry.find("\nExec=sorvani %f\n"), std::string::npos) << entry;
    EXPECT_TRUE(fs::exists(prefix_ / "bin/sorvani"));
    EXPECT_NE(entry.find("\nIcon=io.github.sorvani.Sorvani\n"), std::string::npos) << entry;
    for (const std::string size : {"16x16", "32x32", "48x48", "128x128", "256x256"})
        EXPECT_TRUE(fs::exists(prefix_ / "share/icons/hicolor" / size / "apps" /
                               "io.github.sorvani.Sorvani.png"))
            << size;
    EXPECT_NE(ReadBytes(metainfo).find(
                  "<launchable type=\"desktop-id\">io.github.sorvani.Sorvani.desktop</launchable>"),
              std::string::npos);
    EXPECT_NE(ReadBytes(metainfo).find(std::string("<release version=\"") +
                                       SORVANI_PROJECT_VERSION + "\""),
              std::string::npos);

    if (!Available("desktop-file-validate") || !Available("appstreamcli"))
        GTEST_SKIP() << "desktop-file-validate or appstreamcli is not installed";
    const Result entryCheck = Shell("desktop-file-validate " + Quote(desktop));
    EXPECT_EQ(entryCheck.status, 0) << entryCheck.output;
    EXPECT_EQ(entryCheck.output, "");
    const Result metadataCheck = Shell("appstreamcli validate --no-net " + Quote(metainfo));
    EXPECT_EQ(metadataCheck.status, 0) << metadataCheck.output;
}

TEST_F(Installed, ManualPagesNameEveryOptionTheHelpNames) {
    for (const std::string program : {"sorvani", "sorvani-annotate"}) {
        const fs::path page = prefix_ / "share/man/man1" / (program + ".1.gz");
        const Result roff = Shell("gzip -dc " + Quote(page));
        ASSERT_EQ(roff.status, 0) << roff.output;
        const Result help = Elsewhere(Quote(prefix_ / "bin" / program) + " --help");
        ASSERT_EQ(help.status, 0) << help.output;
        EXPECT_EQ(LongOptions(roff.output), LongOptions(help.output))
            << "the manual page packaging/" << program << ".1.in and --help differ";
        if (Available("groff")) {
            const Result lint = Shell("gzip -dc " + Quote(page) + " | groff -man -Tutf8 -ww -z");
            EXPECT_EQ(lint.output, "") << program;
        }
    }
}

// Builds the package as a user would, from the build folder.
TEST(DebianPackage, HoldsTheInstallationDependsOnItsLibrariesAndTheFontAndWorks) {
    if (!Available("dpkg-deb") || !Available("dpkg-shlibdeps"))
        GTEST_SKIP() << "dpkg-dev is not installed";
    const TemporaryFolder temporary("sorvani-package");
    const fs::path& folder = temporary.path;
    const Result pack =
        Shell("cd " + Quote(folder.parent_path()) + " && " +
              Quote(std::string(CMAKE_CPACK_COMMAND)) + " -G DEB --config " +
              Quote(fs::path(SORVANI_BUILD_DIR) / "CPackConfig.cmake") + " -B " + Quote(folder));
    ASSERT_EQ(pack.status, 0) << pack.output;
    fs::path package;
    for (const auto& file : fs::directory_iterator(folder))
        if (file.path().extension() == ".deb") package = file.path();
    EXPECT_TRUE(package.filename().string().starts_with(std::string("sorvani_") +
                                                        SORVANI_PROJECT_VERSION + "_"))
        << package;
    const std::string deb = Quote(package);

    // Exactly what cmake --install puts under /usr.
    const Result contents = Shell("dpkg-deb -c " + deb);
    ASSERT_EQ(contents.status, 0) << contents.output;
    std::set<std::string> packaged;
    static const std::regex entry(R"(^[-l]\S+\s+\S+\s+\d+\s+\S+\s+\S+\s+\./usr/(\S+))");
    std::istringstream lines(contents.output);
    for (std::string line; std::getline(lines, line);)
        if (std::smatch match; std::regex_search(line, match, entry)) packaged.insert(match[1]);
    const fs::path installed = folder / "installed";
    ASSERT_EQ(Install(installed).status, 0);
    EXPECT_EQ(packaged, FilesUnder(installed / "usr"));
    EXPECT_TRUE(packaged.contains("lib/sorvani/VeRevor.dll"));
    EXPECT_TRUE(packaged.contains("share/man/man1/sorvani-annotate.1.gz"));

    // The libraries found by dpkg-shlibdeps, and the document box's font.
    const std::string depends = Shell("dpkg-deb -f " + deb + " Depends").output;
    for (const std::string dependency : {"fonts-lxgw-wenkai", "libqt6widgets6", "libc6"})
        EXPECT_NE(depends.find(dependency), std::string::npos) << depends;

    // dpkg unpacks it into a fresh root, where the stripped programs work as the built ones.
    const fs::path root = folder / "root";
    fs::create_directories(root / "var/lib/dpkg/updates");
    fs::create_directories(root / "var/lib/dpkg/info");
    std::ofstream(root / "var/lib/dpkg/status");
    const Result unpack =
        Shell("dpkg --root=" + Quote(root) + " --force-not-root --log=/dev/null --unpack " + deb);
    ASSERT_EQ(unpack.status, 0) << unpack.output;
    fs::create_directories(folder / "elsewhere");
    std::ofstream(folder / "elsewhere/sample.txt", std::ios::binary) << kSample;
    const auto annotate = [&](const fs::path& program) {
        return Shell("cd " + Quote(folder / "elsewhere") + " && " + Quote(program) +
                     " --tones --format rtf sample.txt");
    };
    const Result unpacked = annotate(root / "usr/bin/sorvani-annotate");
    EXPECT_EQ(unpacked.status, 0) << unpacked.output;
    EXPECT_EQ(unpacked.output, annotate(kBuiltPrograms / "sorvani-annotate").output);

    // Its dependencies can be met on this system, as apt would install it.
    if (Available("apt-get")) {
        const Result simulated = Shell("apt-get install --simulate " + deb);
        EXPECT_EQ(simulated.status, 0) << simulated.output;
        EXPECT_NE(simulated.output.find("Conf sorvani"), std::string::npos) << simulated.output;
    }
}

}  // namespace
