// zephane with root lists builds the foundation files without a display and exits; the demo
// workspace make-demo writes is one it builds without a missing tag.

#include "cli/tool.h"
#include "support/test_support.h"
#include "ui_support.h"

#include <QProcess>
#include <filesystem>
#include <sstream>

namespace zephane {
namespace {

namespace fs = std::filesystem;

struct ProgramRun {
    int status;
    std::string out, err;
};

// The program as a shell would start it where there is no display at all.
ProgramRun run_zephane(const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ZEPHANE_PROGRAM),
                  QStringList{QStringLiteral("--trace-log"), QStringLiteral("-")} + arguments);
    if (!process.waitForFinished(60000)) return {-1, {}, "did not finish"};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2,
            process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

class Headless : public ::testing::Test {
protected:
    void SetUp() override {
        std::ostringstream out, err;
        ASSERT_EQ(cli::run_tool({"zephane-tool", "make-demo", demo.string()}, out, err), 0)
            << err.str();
        detach_all_tag_operations(); // the tool attached the type modules' operations
    }
    test::ScratchFolder folder;
    fs::path demo = folder.path() / "demo";
};

TEST_F(Headless, RootListsBuildTheFoundationFilesWithoutAWindow) {
    const ProgramRun run =
        run_zephane({QStringLiteral("--workspace"), QString::fromStdString(demo.string()),
                     QString::fromStdString((demo / "roots.txt").string())});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("roots.txt: "), std::string::npos) << run.out;
    for (const char* name : {"small.tag", "small_localized.tag", "large.tag", "dependency_log.txt"})
        EXPECT_TRUE(fs::is_regular_file(demo / "foundation_build" / name)) << name;
    const std::vector<std::uint8_t> log =
        test::read_bytes((demo / "foundation_build/dependency_log.txt").string());
    const std::string text(log.begin(), log.end());
    EXPECT_EQ(text.find("missing tag"), std::string::npos) << text;
    EXPECT_EQ(text.find("unknown tag type"), std::string::npos) << text;
    // Both maps and what their palettes place were reached, the plugin's satchel charge over
    // the base one.
    TagDatabase built;
    built.read_tag_file((demo / "foundation_build/large.tag").string(), false);
    built.read_tag_file((demo / "foundation_build/small.tag").string(), false);
    EXPECT_NE(built.find_tag(fourcc("mesh"), fourcc("high")), nullptr);
    EXPECT_NE(built.find_tag(fourcc("mesh"), fourcc("rivr")), nullptr);
    EXPECT_NE(built.find_tag(fourcc("unit"), fourcc("trol")), nullptr);
    ASSERT_NE(built.find_tag(fourcc("proj"), fourcc("sach")), nullptr);
    EXPECT_EQ(built.find_tag(fourcc("proj"), fourcc("sach"))->name, "Satchel Charge (plugin)");
    EXPECT_NE(run.err.find("Loaded tags in the 'plugins' folder."), std::string::npos) << run.err;
}

TEST_F(Headless, AnUnreadableRootListOrAnUnwritableOutputFails) {
    const ProgramRun missing =
        run_zephane({QStringLiteral("--workspace"), QString::fromStdString(demo.string()),
                     QString::fromStdString((demo / "no such list.txt").string())});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("cannot read the root list"), std::string::npos) << missing.err;
    EXPECT_FALSE(fs::exists(demo / "foundation_build" / "small.tag"));

    // An output that cannot be written: a folder stands where small.tag goes.
    fs::create_directories(demo / "foundation_build" / "small.tag" / "in the way");
    const ProgramRun blocked =
        run_zephane({QStringLiteral("--workspace"), QString::fromStdString(demo.string()),
                     QString::fromStdString((demo / "roots.txt").string())});
    EXPECT_EQ(blocked.status, 1) << blocked.out;
    EXPECT_NE(blocked.err.find("small.tag"), std::string::npos) << blocked.err;
}

TEST_F(Headless, UsageErrorsAndHelpNeedNoDisplayEither) {
    EXPECT_EQ(run_zephane({QStringLiteral("--workspace")}).status, 2);
    const ProgramRun help = run_zephane({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--workspace DIR"), std::string::npos);
}

TEST(DebugLog, TwoRunsAppendTheirOwnMarkedLines) {
    test::ScratchFolder folder;
    const std::string log = (folder.path() / "debug.log").string();
    for (int run = 0; run < 2; ++run) {
        QProcess process;
        process.start(QStringLiteral(ZEPHANE_PROGRAM),
                      {QStringLiteral("--trace-log"), QString::fromStdString(log),
                       QStringLiteral("--workspace"), QString::fromStdString(folder.path().string()),
                       QString::fromStdString((folder.path() / "missing-roots.txt").string())});
        ASSERT_TRUE(process.waitForFinished(60000));
    }
    const std::vector<std::uint8_t> bytes = test::read_bytes(log);
    std::istringstream lines(std::string(bytes.begin(), bytes.end()));
    std::vector<std::string> pids;
    for (std::string line; std::getline(lines, line);)
        if (line.find("the program started") != std::string::npos)
            pids.push_back(line.substr(0, line.find(']') + 1));
    ASSERT_EQ(pids.size(), 2u) << std::string(bytes.begin(), bytes.end());
    EXPECT_NE(pids[0], pids[1]);
    EXPECT_EQ(pids[0].front(), '[');
}

} // namespace
} // namespace zephane
