// The Print menu and the Next button as a user sees them: messages, beeps,
// status panels and menu states.
#include <QDir>
#include <QFile>

#include "support/file_test_support.h"
#include "support/window_fixture.h"

namespace ravo {
namespace {

class Reports : public WindowTest {
protected:
    void ExpectLoggingOff() const
    {
        EXPECT_EQ(state.LoggingOn, 0);
        EXPECT_EQ(Panel(3), "Elevation logging is off");
    }
};

TEST_F(Reports, RefusalsThenTheEchoAndLogOfTheWorkedExample)
{
    Item("mnuVOut")->setEnabled(true);
    for (const char* item : {"mnuPrintCS", "mnuStartPrint", "mnuVOut"})
        Item(item)->trigger();
    EXPECT_EQ(platform.MessageTexts(),
              QStringList({"Please specify output filename", "Please specify output filename",
                           "Please save output file"}));
    EXPECT_EQ(platform.Last(), "VIEW OUTPUT: Please save output file");
    Choose("mnuOutput", folder.filePath("main.out"));
    Item("mnuPrintCS")->trigger();  // the curve count box reads 0
    EXPECT_EQ(platform.messages.back().text, "No curves are specified");
    TypeOver("txtStation", "2e38");
    Click("SScmdNextElev");  // 2e38 + 2e38 is beyond the float range
    EXPECT_EQ(platform.messages.back().text, "Invalid Entry");
    EXPECT_EQ(Text("txtStation"), "2e38");

    Choose("mnuLoad", RAVO_EXAMPLES_DIR "/main-street.in");
    Item("mnuPrintCS")->trigger();
    EXPECT_EQ(platform.Last(), "INPUT DATA ECHO: Input data echo complete");
    EXPECT_EQ(platform.messages.back().icon, MessageIcon::Information);
    EXPECT_FALSE(Item("mnuPrintCS")->isEnabled());
    EXPECT_TRUE(Item("mnuVOut")->isEnabled());

    Item("mnuStartPrint")->trigger();
    EXPECT_EQ(platform.Last(), "ELEVATION CALCULATIONS: Use Next button to print elevations");
    EXPECT_EQ(platform.beeps, 5);  // every refusal and the start, not the echo
    EXPECT_EQ(Panel(3), "Elevation logging is on");
    TypeOver("txtStation", "1000");
    Click("SScmdNextElev");  // the first press steps by the station itself
    EXPECT_EQ(Text("txtStation"), " 2000");
    Item("mnuStopPrint")->trigger();
    ExpectLoggingOff();
    EXPECT_FALSE(Item("mnuPrintCS")->isEnabled());  // until a reset
}

TEST_F(Reports, TheOverwriteQuestionViewingTheReportAndAFailedWrite)
{
    Choose("mnuOutput", folder.filePath("a.out"));
    QDir(folder.path()).mkdir("other");
    const QString sameName = folder.filePath("other/a.out");

    platform.answers = {MessageAnswer::No, MessageAnswer::Yes};
    Choose("mnuOutput", sameName);
    const Message& question = platform.messages.at(0);
    EXPECT_EQ(platform.Last(),
              "Output file: You have already specified a.out as the output filename.\nDo you want "
              "to overwrite this file?");
    EXPECT_EQ(question.icon, MessageIcon::Question);
    EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    EXPECT_EQ(question.defaultAnswer, MessageAnswer::No);
    EXPECT_EQ(state.OutputPath, folder.filePath("a.out").toStdString());  // No keeps the old one

    Choose("mnuOutput", sameName);
    EXPECT_EQ(state.OutputPath, sameName.toStdString());

    platform.messages.clear();
    Choose("mnuOutput", folder.filePath("b.out"));  // a different name asks nothing
    Item("mnuOutput")->trigger();                   // and a cancelled dialog changes nothing
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(Panel(2), "Output file = b.out");

    Item("mnuVOut")->setEnabled(true);
    Item("mnuVOut")->trigger();
    EXPECT_EQ(platform.editorStarts, QStringList({folder.filePath("b.out")}));
    platform.editorStarts_ok = false;
    Item("mnuVOut")->trigger();
    EXPECT_EQ(platform.Last(), "VIEW OUTPUT: Unable to view output file");

    // A report that cannot be written is said, and logging stops.
    platform.messages.clear();
    Choose("mnuLoad", RAVO_EXAMPLES_DIR "/main-street.in");
    Choose("mnuOutput", folder.filePath("no-such-folder/main.out"));
    Item("mnuPrintCS")->trigger();
    ASSERT_EQ(platform.MessageTexts(), QStringList({"Unable to write output file"}));
    EXPECT_TRUE(platform.messages[0].detail.contains("No such file or directory"));
    EXPECT_TRUE(Item("mnuPrintCS")->isEnabled());

    // The loaded input file chosen as the report is refused, and kept.
    QFile::copy(RAVO_EXAMPLES_DIR "/main-street.in", folder.filePath("road.in"));
    Choose("mnuLoad", folder.filePath("road.in"));
    Choose("mnuOutput", folder.filePath("road.in"));
    platform.messages.clear();
    Item("mnuPrintCS")->trigger();
    EXPECT_EQ(platform.MessageTexts(), QStringList({"Unable to write output file"}));
    EXPECT_TRUE(platform.messages[0].detail.contains("is the input file"));
    EXPECT_EQ(test::Contents(folder.filePath("road.in").toStdString()),
              test::Contents(RAVO_EXAMPLES_DIR "/main-street.in"));

    // A log line that cannot be written leaves the station where it was.
    Choose("mnuOutput", folder.filePath("log.out"));
    Item("mnuStartPrint")->trigger();
    TypeOver("txtStation", "1000");
    Click("SScmdNextElev");  // station 2000, step 1000
    Item("mnuVOut")->setEnabled(true);
    Item("mnuVOut")->trigger();        // closes the report
    Choose("mnuOutput", "/dev/full");  // a disk that is full
    platform.messages.clear();
    Click("SScmdNextElev");
    EXPECT_EQ(platform.MessageTexts(), QStringList({"Unable to write output file"}));
    EXPECT_EQ(Text("txtStation"), " 2000");
    ExpectLoggingOff();
}

// A failure that a command does not handle itself, here no memory for its
// message, ends in the command's own message with the reason beneath it.
TEST_F(Reports, NoCommandEndsTheProgram)
{
    bool thrown = false;
    platform.onMessage = [&](const Message&) {
        if (!std::exchange(thrown, true))
            throw std::bad_alloc();
    };
    Item("mnuStartPrint")->trigger();
    platform.onMessage = nullptr;
    EXPECT_EQ(platform.messages.at(1).text, "Unable to write output file");
    EXPECT_EQ(platform.messages[1].detail,
              "Not enough memory: the file or profile is too large for this machine");
    ExpectLoggingOff();
}

}  // namespace
}  // namespace ravo
