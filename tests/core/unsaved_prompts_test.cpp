#include "core/engine/unsaved_prompts.h"

#include <gtest/gtest.h>

#include "support/scripted_prompter.h"

namespace qel {
namespace {

TEST(UnsavedPrompts, ResetAsksAboutWhatWasNotSaved) {
    struct Case {
        bool summary;
        bool laps;
        MessageAnswer answer;
        const char* title;  // "" = no question
        const char* text;
        bool goesOn;
        bool summaryAfter;
        bool lapsAfter;
    };
    const Case cases[] = {
        {true, true, MessageAnswer::Yes, "Files not saved",
         "Summary & Lap files have not be saved.\r\nDo you want to Reset?", true, false, false},
        {true, true, MessageAnswer::No, "Files not saved",
         "Summary & Lap files have not be saved.\r\nDo you want to Reset?", false, true, true},
        {true, false, MessageAnswer::Yes, "Summary not saved",
         "Summary file has not be saved.\r\nDo you want to Reset?", true, false, false},
        {false, true, MessageAnswer::Yes, "Laps not saved",
         "Lap file has not be saved.\r\nDo you want to Reset?", true, false, false},
        {false, false, MessageAnswer::No, "", "", true, false, false},
    };
    for (const auto& c : cases) {
        RaceState state;
        state.summaryUnsaved = c.summary;
        state.lapsUnsaved = c.laps;
        test::ScriptedPrompter prompter;
        prompter.answer(c.answer);
        EXPECT_EQ(ConfirmResetUnsaved(state, prompter), c.goesOn) << c.title;
        if (*c.title) {
            ASSERT_EQ(prompter.messages().size(), 1u);
            EXPECT_EQ(prompter.messages()[0].title, c.title);
            EXPECT_EQ(prompter.messages()[0].text, c.text);
            EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Exclamation);
            EXPECT_EQ(prompter.messages()[0].buttons, MessageButtons::YesNo);
        } else {
            EXPECT_TRUE(prompter.messages().empty());
        }
        EXPECT_EQ(state.summaryUnsaved, c.summaryAfter) << c.title;
        EXPECT_EQ(state.lapsUnsaved, c.lapsAfter) << c.title;
    }
}

// Practice keeps nothing worth saving, so the exit asks nothing there; that
// is the caller's choice (see the race engine's tests), not this question's.
TEST(UnsavedPrompts, ExitAsksAboutWhatWasNotSaved) {
    RaceState state;
    state.summaryUnsaved = state.lapsUnsaved = true;
    test::ScriptedPrompter prompter;
    prompter.answer(MessageAnswer::No);
    EXPECT_FALSE(ConfirmExitUnsaved(state, prompter));
    EXPECT_EQ(prompter.messageTexts(),
              std::vector<std::string>{
                  "Summary & Lap files have not been saved.\r\nDo you want to exit?"});

    state.lapsUnsaved = false;
    prompter.clear();
    prompter.answer(MessageAnswer::Yes);
    EXPECT_TRUE(ConfirmExitUnsaved(state, prompter));
    EXPECT_EQ(prompter.messages().at(0).title, "Summary not saved");

    state.summaryUnsaved = false;
    prompter.clear();
    prompter.answer(MessageAnswer::No);  // never asked: everything is saved
    EXPECT_TRUE(ConfirmExitUnsaved(state, prompter));
    EXPECT_TRUE(prompter.messages().empty());
}

}  // namespace
}  // namespace qel
