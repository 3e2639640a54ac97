// The shown profile window follows every change of the rows as they are made:
// what it draws is what an index made afresh from the same rows gives.
#include <QScreen>
#include <QTest>

#include "support/window_fixture.h"
#include "ui/profile_window/frm_profile.h"
#include "ui/profile_window/frm_profile_plot.h"

namespace ravo {
namespace {

using ProfileWindowRows = WindowTest;

void ExpectDrawnAfresh(ProfilePlot& plot, const ProfileState& state, const std::string& step)
{
    const ProfileScene shown = plot.Scene();
    const ProfileScene fresh = BuildScene(ProfileViewIndex(state), plot.View());
    for (const auto& [a, b] :
         {std::pair(&shown.grade, &fresh.grade), std::pair(&shown.super, &fresh.super)}) {
        ASSERT_EQ(a->lines.size(), b->lines.size()) << step;
        for (std::size_t i = 0; i < a->lines.size(); ++i) {
            ASSERT_EQ(a->lines[i].points.size(), b->lines[i].points.size()) << step;
            for (std::size_t j = 0; j < a->lines[i].points.size(); ++j)
                EXPECT_NEAR(a->lines[i].points[j].y, b->lines[i].points[j].y, 1e-6) << step;
        }
    }
    EXPECT_EQ(shown.marks.size(), fresh.marks.size()) << step;
}

TEST_F(ProfileWindowRows, EveryStoredFieldCountResetAndUndoIsDrawn)
{
    Choose("mnuLoad", RAVO_EXAMPLES_DIR "/ridge-road.in");
    frmProfile* profile = OpenProfile();
    // Its own size is larger than the test's screen: it opens within it.
    const QRect frame = profile->frameGeometry();
    EXPECT_TRUE(profile->screen()->availableGeometry().contains(frame))
        << frame.width() << "x" << frame.height();
    ProfilePlot& plot = profile->Plot();
    ExpectDrawnAfresh(plot, state, "loaded");
    struct Step {
        const char* box;
        const char* text;
    };
    // A value and the stations of a curve, a segment's station, then counts.
    const Step steps[] = {{"txtE1", "275"},     {"txtSta2", "950"}, {"txtSta1", "-100"},
                          {"txtSSta2", "3000"}, {"txtNSUP", "2"},   {"txtS1", "0.04"},
                          {"txtNVC", "1"}};
    for (const Step& step : steps) {
        TypeOver(step.box, QLatin1String(step.text));
        ExpectDrawnAfresh(plot, state, std::string(step.box) + " " + step.text);
    }
    Item("mnuUndo")->trigger();
    ExpectDrawnAfresh(plot, state, "undo");
    Item("mnuResetSuper")->trigger();
    ExpectDrawnAfresh(plot, state, "reset");
}

}  // namespace
}  // namespace ravo
