// Help > Contents and F1 open the user's guide, at the start or at the section of the window F1
// was pressed in, with the desktop's program for it; without the guide or that program, a
// message box says where the guide should be. A stand-in for xdg-open records what it was given.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/ui/main_window.h"
#include "ui/help.h"

namespace quorvel::testing {
namespace {

namespace fs = std::filesystem;

class Help : public MainWindow {
  protected:
    void SetUp() override {
        MainWindow::SetUp();
        folder_ = fs::temp_directory_path() / ("quorvel-help-" + std::to_string(getpid()));
        fs::create_directories(folder_ / "browser");
        fs::create_directories(folder_ / "nothing");
        opened_ = folder_ / "opened";
        std::ofstream(folder_ / "browser" / "xdg-open")
            << "#!/bin/sh\necho \"$1\" >> '" << opened_.string() << "'\nexit "
            << "${QUORVEL_TEST_OPEN_STATUS:-0}\n";
        fs::permissions(folder_ / "browser" / "xdg-open", fs::perms::owner_all);
        const char* path = std::getenv("PATH");
        path_ = path != nullptr ? path : "";
        usePath(folder_ / "browser");
    }
    void TearDown() override {
        setenv("PATH", path_.c_str(), 1);
        unsetenv("QUORVEL_TEST_OPEN_STATUS");
        fs::remove_all(folder_);
        MainWindow::TearDown();
    }

    void usePath(const fs::path& first) const {
        setenv("PATH", (first.string() + ":" + path_).c_str(), 1);
    }

    // What the stand-in browser was given since the last call, one file a line.
    std::string opened() const {
        std::ifstream file(opened_);
        std::stringstream text;
        text << file.rdbuf();
        fs::remove(opened_);
        return text.str();
    }

    // F1 in the modal dialog the menu command opens, which Esc then closes.
    void pressF1In(int command) const {
        whenIdle([] {
            pressKey(VK_F1);
            whenIdle([] { pressKey(VK_ESCAPE); });
        });
        EXPECT_TRUE(chooseMenuItem(window, command));
        pumpMessages(window);
    }

    fs::path folder_, opened_;
    std::string path_;
};

// The guide made by the build, in doc/ beside the test program's bin/.
std::string guidePage(const char* page) {
    return (fs::canonical("/proc/self/exe").parent_path().parent_path() / "doc" / page).string();
}

TEST_F(Help, f1_opens_the_guide_at_the_windows_section_and_contents_at_its_start) {
    ASSERT_TRUE(fs::exists(guidePage("guide.html"))) << "the build makes the guide";
    EXPECT_TRUE(chooseMenuItem(window, ID_HELP_CONTENTS));
    pumpMessages(window);
    EXPECT_EQ(opened(), guidePage("guide.html") + "\n");

    SetFocus(GetDlgItem(window, IDC_STAKE));
    pressKey(VK_F1);
    pumpMessages(window);
    EXPECT_EQ(opened(), guidePage("guide-main-window.html") + "\n");

    pressF1In(ID_OPTIONS_PREFERENCES);
    EXPECT_EQ(opened(), guidePage("guide-preferences.html") + "\n");
    pressF1In(ID_OPTIONS_PLACE_ODDS);
    EXPECT_EQ(opened(), guidePage("guide-place-odds.html") + "\n");
    InitCommonControls();  // the Working dialog's tables
    settle();
    pressF1In(ID_OPTIONS_SHOW_WORKING);
    EXPECT_EQ(opened(), guidePage("guide-working.html") + "\n");
    EXPECT_TRUE(messageBoxesSeen().empty());
    EXPECT_EQ(openWindows(), std::vector<HWND>{window});
}

TEST_F(Help, without_a_program_to_show_it_a_message_says_where_the_guide_is) {
    const std::string where =
        "The user's guide could not be opened: no program to show it was "
        "found. It is at\n\n";
    setenv("QUORVEL_TEST_OPEN_STATUS", "3", 1);  // xdg-open: no browser
    expectMessageBox(where + guidePage("guide.html"));
    EXPECT_TRUE(chooseMenuItem(window, ID_HELP_CONTENTS));
    pumpMessages(window);
    usePath(folder_ / "nothing");  // no xdg-open at all
    expectMessageBox(where + guidePage("guide.html"));
    pressF1In(ID_OPTIONS_PLACE_ODDS);
    ASSERT_EQ(messageBoxesSeen().size(), 2u);
    EXPECT_EQ(openWindows(), std::vector<HWND>{window});
}

// Run again as a copy of this program in a folder with no guide beside it.
TEST_F(Help, without_the_guide_a_message_says_where_it_should_be_and_nothing_opens) {
    const fs::path self = fs::canonical("/proc/self/exe");
    if (std::getenv("QUORVEL_TEST_NO_GUIDE") != nullptr) {
        expectMessageBox(
            "The user's guide was not found. It should be at\n\n" +
            (self.parent_path().parent_path() / "share/doc/quorvel/guide.html").string());
        pressF1In(ID_OPTIONS_PREFERENCES);
        EXPECT_EQ(messageBoxesSeen().size(), 1u);
        EXPECT_EQ(opened(), "");
        return;
    }
    const fs::path copy = folder_ / "copy" / "bin" / self.filename();
    fs::create_directories(copy.parent_path());
    fs::copy_file(self, copy);
    const std::string command = "QUORVEL_TEST_NO_GUIDE=1 '" + copy.string() +
                                "' --gtest_filter=Help.without_the_guide_* >/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << "run " << command << " to see why";
}

TEST_F(Help, every_section_f1_opens_is_in_the_guide) {
    std::ifstream file(guidePage("guide.html"));
    std::stringstream html;
    html << file.rdbuf();
    for (const GuideSection section : {GuideSection::MainWindow, GuideSection::Preferences,
                                       GuideSection::PlaceOdds, GuideSection::Working}) {
        const std::string anchor = guideAnchor(section);
        EXPECT_NE(html.str().find("id=\"" + anchor + "\""), std::string::npos) << anchor;
        std::ifstream page(guidePage(("guide-" + anchor + ".html").c_str()));
        std::stringstream text;
        text << page.rdbuf();
        EXPECT_NE(text.str().find("guide.html#" + anchor), std::string::npos) << anchor;
    }
}

}  // namespace
}  // namespace quorvel::testing
