#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "SyntheticFont.h"
#include "gui/DMWindow.h"
#include "gui/DomainText.h"
#include "gui/TextLayout.h"
#include "gui/ScrollText.h"
#include "support/Session.h"

namespace vexmolda {
namespace {

using testing::freshSession;
using testing::runLines;
using testing::session;

TEST(DomainWindowText, EmptyDomainHasOnlyTheAnyType) {
    freshSession();
    EXPECT_EQ(typesText(session().model), "any");
    EXPECT_EQ(atomsText(session().model), "");
    EXPECT_EQ(predicatesText(session().model), "");
    EXPECT_EQ(operationsText(session().model, session().instances), "");
}

TEST(DomainWindowText, SubtypeShowsItsParentWithoutSpaces) {
    freshSession();
    runLines({"type vehicle", "derived vehicle truck", "derived truck van"});
    // Only the direct parent is named, in byte-wise name order.
    EXPECT_EQ(typesText(session().model), "any, truck->vehicle, van->truck, vehicle");
}

TEST(DomainWindowText, AtomsAndPredicatesInNameOrder) {
    freshSession();
    runLines({"type place cargo", "atom place paris london", "atom cargo b", "pred at(cargo:c, place:p)",
              "pred empty"});
    EXPECT_EQ(atomsText(session().model), "b[cargo], london[place], paris[place]");
    EXPECT_EQ(predicatesText(session().model), "at(cargo:c, place:p), empty()");
}

TEST(DomainWindowText, OperationBlockListsPreAddDelAndConstraints) {
    freshSession();
    runLines({"type place rocket", "atom place london paris", "atom rocket r", "pred rocketAt(rocket:r, place:p)",
              "op fly(rocket:r, place:from, place:to)", "pre fly rocketAt(r,from)", "add fly rocketAt(r,to)",
              "del fly rocketAt(r,from)", "const fly ~eq(from to)", "const fly in(to paris london)"});
    // Not built yet: the count is 0.
    EXPECT_EQ(operationsText(session().model, session().instances),
              "\nfly(rocket:r, place:from, place:to) - (0)\n"
              "   pre:\trocketAt(r,from)\n"
              "   add:\trocketAt(r,to)\n"
              "   del:\trocketAt(r,from)\n"
              "   const:\tfrom!=to, to={london|paris}\n");
    runLines({"buildInst"});
    EXPECT_NE(operationsText(session().model, session().instances).find("fly(rocket:r, place:from, place:to) - (2)\n"), std::string::npos);
}

TEST(DomainWindowText, OperationWithoutListsHasEmptyLines) {
    freshSession();
    runLines({"op noop", "op another"});
    EXPECT_EQ(operationsText(session().model, session().instances),
              "\nanother() - (0)\n   pre:\t\n   add:\t\n   del:\t\n   const:\t\n"
              "\nnoop() - (0)\n   pre:\t\n   add:\t\n   del:\t\n   const:\t\n");
}

TEST(DomainWindowText, FollowsTheModelAfterWipe) {
    freshSession();
    runLines({"type t", "atom t x", "op o(t:a)"});
    EXPECT_EQ(atomsText(session().model), "x[t]");
    runLines({"wipe"});
    EXPECT_EQ(atomsText(session().model), "");
    EXPECT_EQ(operationsText(session().model, session().instances), "");
    EXPECT_EQ(typesText(session().model), "any");
}

TEST(DomainWindowLayout, ASectionFullToOverflowingStaysAboveItsDividerAndUsesTheRoomItHas) {
    const GlfFont font = testing::syntheticFont();
    std::string body;
    for (int i = 0; i < 200; ++i) body += "at(b" + std::to_string(i) + ",room), ";
    float previousBottom = 0;
    for (const DomainSection& section : domainSections) {
        EXPECT_GE(section.top, previousBottom) << section.heading;
        std::vector<GlyphQuad> quads;
        layoutColumn(font, body, 15, section.top, 30, section.bottom - section.top, 2, quads);
        ASSERT_FALSE(quads.empty());
        float lowest = 0;
        for (const GlyphQuad& quad : quads) lowest = std::max(lowest, quad.y1);
        EXPECT_LE(lowest, section.bottom) << section.heading << ": its last row crosses the divider";
        EXPECT_GT(lowest, section.bottom - 2) << section.heading << ": a row that fits is left out";
        previousBottom = section.bottom;
    }
}

TEST(DomainWindowLayout, AWrappedListStaysBesideItsLabel) {
    freshSession();
    std::string constraints = "const o";
    for (int i = 0; i < 12; ++i) constraints += " ~eq(a x" + std::to_string(i) + ")";
    std::string atoms = "atom t";
    for (int i = 0; i < 12; ++i) atoms += " x" + std::to_string(i);
    runLines({"type t", atoms, "op o(t:a)", constraints});
    const std::string text = operationsText(session().model, session().instances);
    const std::size_t label = text.find("   const:\t");
    ASSERT_NE(label, std::string::npos) << text;
    const GlfFont font = testing::syntheticFont();
    // Where the list starts: the first glyph after the label's tab.
    std::vector<GlyphQuad> head;
    layoutText(font, text.substr(label, text.find('\t', label) - label + 2), 50.5f, 0, 2, false, head);
    const float listX = head.back().x0;
    std::vector<GlyphQuad> quads;
    layoutColumn(font, text.substr(label), 50.5f, 0, 40, 0, 2, quads);
    ASSERT_GT(quads.back().y0, quads.front().y0) << "the list is long enough to wrap";
    for (const GlyphQuad& quad : quads) {
        if (quad.y0 > 0) {
            EXPECT_GE(quad.x0, listX) << "a continuation row at y " << quad.y0 << " reaches the margin";
        }
    }
}

TEST(ScrollText, StopsAtTheTopAndHasNoLowerLimit) {
    EXPECT_FLOAT_EQ(scrolledBy(0, 3), 0);
    EXPECT_FLOAT_EQ(scrolledBy(-2, 3), 0);
    EXPECT_FLOAT_EQ(scrolledBy(-10, 3), -7);
    EXPECT_FLOAT_EQ(scrolledBy(0, -1e6f), -1e6f);
    // A wheel notch down and back up returns to the start.
    EXPECT_FLOAT_EQ(scrolledBy(scrolledBy(0, -scrollPerNotch), scrollPerNotch), 0);
}

}  // namespace
}  // namespace vexmolda
