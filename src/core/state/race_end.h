#pragma once
// The end of a race or heat, handed on to the rest of the program: the heat
// log, the scoring, the next-heat display, the delays between heats, the open
// result views, the results window and printing. The race engine knows only
// the steps; each subsystem of the program takes its part in them, and the
// program's composition registers the subsystems, so a new one plugs in
// without the engine or the main window changing.
#include <vector>

namespace qel {

// One subsystem's part in the end of a race. A step it has no part in does
// nothing.
class RaceEndSubsystem {
  public:
    virtual ~RaceEndSubsystem() = default;
    virtual void saveHeatToLog() {}
    // The racers' total laps and the heat's points.
    virtual void scoreHeat() {}
    virtual void prepareNextHeatDisplay() {}
    virtual void startBetweenHeatDelay() {}
    // The summary and lap-time views show the finished race.
    virtual void reopenOpenViews() {}
    virtual void showRaceResults() {}
    // The summary, then the results slip.
    virtual void autoPrint() {}
    virtual void enableFileMenu() {}
};

// Passes every step to each registered subsystem, in the order they were
// registered.
class RaceEndHandover {
  public:
    void add(RaceEndSubsystem& subsystem) { subsystems_.push_back(&subsystem); }
    bool empty() const { return subsystems_.empty(); }

    void saveHeatToLog() { each(&RaceEndSubsystem::saveHeatToLog); }
    void scoreHeat() { each(&RaceEndSubsystem::scoreHeat); }
    void prepareNextHeatDisplay() { each(&RaceEndSubsystem::prepareNextHeatDisplay); }
    void startBetweenHeatDelay() { each(&RaceEndSubsystem::startBetweenHeatDelay); }
    void reopenOpenViews() { each(&RaceEndSubsystem::reopenOpenViews); }
    void showRaceResults() { each(&RaceEndSubsystem::showRaceResults); }
    void autoPrint() { each(&RaceEndSubsystem::autoPrint); }
    void enableFileMenu() { each(&RaceEndSubsystem::enableFileMenu); }

  private:
    void each(void (RaceEndSubsystem::*step)()) {
        for (RaceEndSubsystem* subsystem : subsystems_)
            (subsystem->*step)();
    }

    std::vector<RaceEndSubsystem*> subsystems_;
};

}  // namespace qel
