#include "core/engine/unsaved_prompts.h"

namespace qel {

namespace {

struct Question {
    const char* title;
    const char* text;
};

// Which question fits the flags; nullptr when everything was saved.
const Question* pick(const RaceState& state, const Question& both, const Question& summary,
                     const Question& laps) {
    if (state.summaryUnsaved && state.lapsUnsaved) return &both;
    if (state.summaryUnsaved) return &summary;
    if (state.lapsUnsaved) return &laps;
    return nullptr;
}

bool ask(const Question& q, Prompter& prompter) {
    return prompter.message(q.text, q.title, MessageIcon::Exclamation, MessageButtons::YesNo) ==
           MessageAnswer::Yes;
}

}  // namespace

bool ConfirmResetUnsaved(RaceState& state, Prompter& prompter) {
    // The reset questions keep their own wording ("have not be saved.").
    static const Question both{"Files not saved",
                               "Summary & Lap files have not be saved.\r\nDo you want to Reset?"};
    static const Question summary{"Summary not saved",
                                  "Summary file has not be saved.\r\nDo you want to Reset?"};
    static const Question laps{"Laps not saved",
                               "Lap file has not be saved.\r\nDo you want to Reset?"};
    const Question* q = pick(state, both, summary, laps);
    if (q == nullptr) return true;
    if (!ask(*q, prompter)) return false;
    if (q == &both || q == &summary) state.summaryUnsaved = false;
    if (q == &both || q == &laps) state.lapsUnsaved = false;
    return true;
}

bool ConfirmExitUnsaved(const RaceState& state, Prompter& prompter) {
    static const Question both{"Files not saved",
                               "Summary & Lap files have not been saved.\r\nDo you want to exit?"};
    static const Question summary{"Summary not saved",
                                  "Summary file has not been saved.\r\nDo you want to exit?"};
    static const Question laps{"Laps not saved",
                               "Lap file has not been saved.\r\nDo you want to exit?"};
    const Question* q = pick(state, both, summary, laps);
    return q == nullptr || ask(*q, prompter);
}

}  // namespace qel
