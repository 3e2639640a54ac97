#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "window_fixture.h"
#include "worked_examples.h"

namespace ravo {
namespace {

class Reports : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        window->SetClock(fixtures::WorkedExampleTime);
    }

    QString PathOf(const QString& name) const { return folder.filePath(name); }

    static std::string Read(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return "(missing)";
        return file.readAll().toStdString();
    }

    void ChooseOutput(const QString& path, std::optional<MessageAnswer> answer = std::nullopt)
    {
        platform.files.push_back(FileChoice{path, QFileInfo(path).fileName()});
        if (answer)
            platform.answers.push_back(*answer);
        Item("mnuOutput")->trigger();
    }

    // The worked example loaded from main.in, with offset 12.
    void LoadWorkedExample()
    {
        const QString input = PathOf("main.in");
        QFile::copy(RAVO_EXAMPLES_DIR "/main-street.in", input);
        platform.files.push_back(FileChoice{input, "main.in"});
        Item("mnuLoad")->trigger();
        TypeOver("txtOffset", "12");
    }

    void Next() const { QTest::mouseClick(Button("SScmdNextElev"), Qt::LeftButton); }

    QTemporaryDir folder;
};

TEST_F(Reports, EchoThenLogOfTheWorkedExample)
{
    LoadWorkedExample();
    const QString report = PathOf("main.out");
    ChooseOutput(report);
    EXPECT_EQ(Panel(2), "Output file = main.out");
    Item("mnuPrintCS")->trigger();
    EXPECT_EQ(platform.messages.back().text, "Input data echo complete");
    EXPECT_EQ(platform.messages.back().title, "INPUT DATA ECHO");
    EXPECT_EQ(platform.messages.back().icon, MessageIcon::Information);
    EXPECT_EQ(platform.beeps, 0);
    EXPECT_FALSE(Item("mnuPrintCS")->isEnabled());
    EXPECT_TRUE(Item("mnuVOut")->isEnabled());

    Item("mnuStartPrint")->trigger();
    EXPECT_EQ(platform.messages.back().text, "Use Next button to print elevations");
    EXPECT_EQ(platform.messages.back().title, "ELEVATION CALCULATIONS");
    EXPECT_EQ(platform.beeps, 1);
    EXPECT_EQ(Panel(3), "Elevation logging is on");
    EXPECT_EQ(state.OutputFileNum, 1);

    TypeOver("txtStation", "1000");
    Next();
    EXPECT_EQ(Text("txtStation"), " 2000");  // the first press steps by the station itself
    TypeOver("txtStation", "1100");
    Next();
    EXPECT_EQ(Text("txtStation"), " 1200");
    Next();
    EXPECT_EQ(Text("txtStation"), " 1300");

    Item("mnuStopPrint")->trigger();
    EXPECT_EQ(Panel(3), "Elevation logging is off");
    EXPECT_EQ(Panel(2), "Output file = main.out");
    EXPECT_FALSE(Item("mnuPrintCS")->isEnabled());  // until a reset
}

TEST_F(Reports, RefusalsBeepAndSaySo)
{
    struct Case {
        const char* item;
        const char* text;
        const char* title;
    };
    const std::vector<Case> withoutOutputFile = {
        {"mnuPrintCS", "Please specify output filename", "Ravo"},
        {"mnuStartPrint", "Please specify output filename", "Ravo"},
        {"mnuVOut", "Please save output file", "VIEW OUTPUT"},
    };
    Item("mnuVOut")->setEnabled(true);
    for (const Case& c : withoutOutputFile) {
        platform.messages.clear();
        platform.beeps = 0;
        Item(c.item)->trigger();
        ASSERT_EQ(platform.messages.size(), 1u) << c.item;
        EXPECT_EQ(platform.messages[0].text, c.text);
        EXPECT_EQ(platform.messages[0].title, c.title);
        EXPECT_EQ(platform.beeps, 1) << c.item;
    }
    EXPECT_EQ(state.LoggingOn, 0);
    EXPECT_EQ(Panel(3), "Elevation logging is off");

    ChooseOutput(PathOf("none.out"));
    platform.messages.clear();
    Item("mnuPrintCS")->trigger();  // the curve count box reads 0
    EXPECT_EQ(platform.MessageTexts(), QStringList({"No curves are specified"}));
    EXPECT_EQ(Read(PathOf("none.out")), "(missing)");
    EXPECT_TRUE(Item("mnuPrintCS")->isEnabled());
}

TEST_F(Reports, TheOverwriteQuestion)
{
    ChooseOutput(PathOf("a.out"));
    QDir(folder.path()).mkdir("other");
    const QString sameName = PathOf("other/a.out");

    ChooseOutput(sameName, MessageAnswer::No);
    ASSERT_EQ(platform.messages.size(), 1u);
    const Message& question = platform.messages[0];
    EXPECT_EQ(question.text,
              "You have already specified a.out as the output filename.\nDo you want to overwrite "
              "this file?");
    EXPECT_EQ(question.title, "Output file");
    EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    EXPECT_EQ(question.defaultAnswer, MessageAnswer::No);
    EXPECT_EQ(question.icon, MessageIcon::Question);
    EXPECT_EQ(state.OutputPath, PathOf("a.out").toStdString());  // No keeps the report where it was

    ChooseOutput(sameName, MessageAnswer::Yes);
    EXPECT_EQ(state.OutputPath, sameName.toStdString());
    EXPECT_EQ(Panel(2), "Output file = a.out");

    platform.messages.clear();
    ChooseOutput(PathOf("b.out"));  // a different name asks nothing
    Item("mnuOutput")->trigger();   // and a cancelled dialog changes nothing
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(Panel(2), "Output file = b.out");
}

TEST_F(Reports, ViewingStartsTheEditorOrSaysItCannot)
{
    const QString report = PathOf("main.out");
    ChooseOutput(report);
    Item("mnuVOut")->setEnabled(true);
    Item("mnuVOut")->trigger();
    ASSERT_EQ(platform.editorStarts, QStringList({report}));

    platform.editorStarts_ok = false;
    platform.messages.clear();
    Item("mnuVOut")->trigger();
    EXPECT_EQ(platform.MessageTexts(), QStringList({"Unable to view output file"}));
    EXPECT_EQ(platform.messages[0].title, "VIEW OUTPUT");
}

TEST_F(Reports, AReportThatCannotBeWrittenIsSaidAndLeftClosed)
{
    LoadWorkedExample();
    ChooseOutput(PathOf("no-such-folder/main.out"));
    platform.messages.clear();
    Item("mnuPrintCS")->trigger();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Unable to write output file");
    EXPECT_TRUE(platform.messages[0].detail.contains("No such file or directory"))
        << platform.messages[0].detail.toStdString();
    EXPECT_TRUE(Item("mnuPrintCS")->isEnabled());

    platform.messages.clear();
    Item("mnuStartPrint")->trigger();
    EXPECT_EQ(platform.messages.back().text.left(27), "Unable to write output file");
    EXPECT_EQ(state.LoggingOn, 0);
    EXPECT_EQ(Panel(3), "Elevation logging is off");
}

TEST_F(Reports, ALogLineThatCannotBeWrittenIsNotStepped)
{
    LoadWorkedExample();
    ChooseOutput(PathOf("main.out"));
    Item("mnuStartPrint")->trigger();
    TypeOver("txtStation", "1000");
    Next();  // station 2000, step 1000
    Item("mnuVOut")->setEnabled(true);
    Item("mnuVOut")->trigger();  // closes the report
    ChooseOutput("/dev/full");   // a disk that is full
    platform.messages.clear();
    Next();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.startsWith("Unable to write output file"));
    EXPECT_EQ(Text("txtStation"), " 2000");  // not stepped on
    EXPECT_EQ(state.PrevStation, 1000);      // so a repeat keeps the step
    EXPECT_EQ(state.LoggingOn, 0);
    EXPECT_EQ(state.OutputFileNum, 0);
    Next();
    EXPECT_EQ(Text("txtStation"), " 3000");
}

// A failure that a command does not handle itself ends in the command's own
// message, with the reason beneath it, and changes nothing.
TEST_F(Reports, NoCommandEndsTheProgram)
{
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"mnuStartPrint", "Unable to write output file"},
        {"mnuPrintCS", "Unable to write output file"},
        {"mnuVOut", "Unable to view output file"},
    };
    Item("mnuVOut")->setEnabled(true);
    for (const auto& [item, text] : cases) {
        platform.messages.clear();
        bool thrown = false;
        platform.onMessage = [&](const Message&) {
            if (!std::exchange(thrown, true))
                throw std::bad_alloc();
        };
        Item(item)->trigger();
        ASSERT_EQ(platform.messages.size(), 2u) << item;
        EXPECT_EQ(platform.messages[1].text, text);
        EXPECT_EQ(platform.messages[1].detail, "Not enough memory");
    }
    platform.onMessage = nullptr;
    EXPECT_EQ(state.LoggingOn, 0);
    EXPECT_EQ(Panel(3), "Elevation logging is off");
}

TEST_F(Reports, NextBeyondTheFloatRangeChangesNothing)
{
    TypeOver("txtStation", "2e38");
    Next();  // 2e38 + 2e38 is beyond the float range
    EXPECT_EQ(platform.MessageTexts(), QStringList({"Invalid Entry"}));
    EXPECT_EQ(Text("txtStation"), "2e38");
    EXPECT_EQ(state.PrevStation, 0);

    TypeOver("txtStation", "");
    Next();  // an empty box is station 0
    EXPECT_EQ(Text("txtStation"), " 0");
}

}  // namespace
}  // namespace ravo
