#include "accessible_names.h"

#include <gtest/gtest.h>

#include <map>

using namespace zelvo;

namespace {

// Records the names given; the control `refused` cannot be named, as without Windows' service.
struct RecordingAnnotator final : NameAnnotator {
    bool Name(int id, const std::string& name) override {
        ++calls;
        return id != refused && named.emplace(id, name).second;
    }
    int refused = 0;
    int calls = 0;
    std::map<int, std::string> named;
};

} // namespace

TEST(AccessibleNames, EachControlWithoutASpeakingCaptionGetsItsName) {
    RecordingAnnotator main, changeIcon;
    NameControls(main, kMainWindowNames); // Apply, Restore and Close are named by their captions
    NameControls(changeIcon, kChangeIconNames); // Browse..., OK and Cancel by theirs
    EXPECT_EQ(main.named, (std::map<int, std::string>{{IDC_TXTDUMMY, "Press Tab to choose a drive"},
                                                      {IDC_CBODRIVES, "Drive"},
                                                      {IDC_CMDBROWSE, "Browse for an icon"},
                                                      {IDC_TXTICONPATH, "Icon location"},
                                                      {IDC_PICTURE2, "Preview of the chosen icon"},
                                                      {IDC_IMAGE2, "Help"}}));
    EXPECT_EQ(changeIcon.named,
              (std::map<int, std::string>{{IDC_PICK_FILE, "Look for icons in this file"},
                                          {IDC_PICK_ICONS, "Select an icon from the list below"}}));
}

TEST(AccessibleNames, AControlThatCannotBeNamedLeavesTheOthersNamed) {
    for (const AccessibleName& refused : kMainWindowNames) {
        RecordingAnnotator annotator;
        annotator.refused = refused.controlId;
        NameControls(annotator, kMainWindowNames);
        EXPECT_EQ(annotator.calls, static_cast<int>(std::size(kMainWindowNames)));
        EXPECT_EQ(annotator.named.size() + 1, std::size(kMainWindowNames)) << refused.name;
    }
}
