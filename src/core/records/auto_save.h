#pragma once
// The saves the Options "Save" page asks for, made by themselves after every
// race or heat: the summary and lap times as spreadsheets, as text reports
// and as one web page, into Stats, named after the race's stamp ("Summary
// Mar-05, 20-15.xls", "Laps Mar-05, 20-15.txt", "Race Mar-05, 20-15.html"),
// without a dialog. A race that ends in the same minute as an earlier one
// gets its own names (" (2)"), so no earlier race's files are written over.
// A save that fails is told on the board's status line and the race goes on.
#include <filesystem>
#include <string>
#include <vector>

#include "core/io/data_folder.h"
#include "core/records/record_sources.h"
#include "core/setup/auto_save_file.h"
#include "core/state/race_end.h"

namespace qel {

class AutoSave : public RaceEndSubsystem {
  public:
    AutoSave(RecordSources sources, const AutoSaveSettings& settings, const AppFolder& folder);

    // The files of the race just ended; the paths written (none when no tick is set).
    std::vector<std::filesystem::path> saveRace();

    // The race end's step after the heat is scored and logged: the records
    // are final then.
    void reopenOpenViews() override { saveRace(); }

  private:
    RecordSources sources_;
    const AutoSaveSettings& settings_;
    const AppFolder& folder_;
    // The notice this subsystem last put on the board, cleared by the next
    // save that succeeds (another subsystem's notice is left alone).
    std::string notice_;
};

}  // namespace qel
