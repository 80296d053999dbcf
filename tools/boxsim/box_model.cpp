#include "boxsim/box_model.h"

namespace qel::boxsim {

BoxModel::BoxModel(const BoxSettings& settings)
    : settings_(settings), schedule_(settings.laps), lanesInUse_(settings.lanes) {}

std::vector<LoggedCommand> BoxModel::receive(std::string_view bytes) {
    std::vector<LoggedCommand> logged;
    for (const BoxCommand& command : parser_.feed(bytes)) {
        const std::string note = apply(command);
        logged.push_back({nowMs_, note.empty() ? command.text : command.text + " " + note});
    }
    return logged;
}

std::string BoxModel::apply(const BoxCommand& command) {
    using Kind = BoxCommand::Kind;
    switch (command.kind) {
        case Kind::Start:
            timing_ = true;
            startLanes();
            break;
        case Kind::Pause:
            timing_ = false;
            break;
        case Kind::Version:
            output_.push_back({settings_.versionLine + "\r\n"});
            break;
        case Kind::LaneCount:
            if (!command.value || *command.value < 1 || *command.value > kMaxLanes) {
                return "(ignored: lanes 1 to 8)";
            }
            lanesInUse_ = static_cast<int>(*command.value);
            for (int lane = lanesInUse_ + 1; lane <= kMaxLanes; ++lane)
                schedule_.stopLane(lane);
            if (timing_) startLanes();
            break;
        default:
            // Sensor type, "D", relay and stray bytes change nothing a test can see.
            break;
    }
    return {};
}

void BoxModel::startLanes() {
    for (int lane = 1; lane <= lanesInUse_; ++lane) {
        if (!schedule_.running(lane)) schedule_.startLane(lane, nowMs_);
    }
}

void BoxModel::advance(std::int64_t ms) {
    if (!timing_ || ms <= 0) return;
    const std::int64_t target = nowMs_ + ms;
    while (lastReportMs_ + settings_.reportMs <= target) {
        nowMs_ = lastReportMs_ + settings_.reportMs;
        output_.push_back({std::to_string(nowMs_ - lastReportMs_) + "\r"});
        lastReportMs_ = nowMs_;
        // A letter carries no time: the program stamps it with its clock, so
        // it may only follow the report that brought that clock past the crossing.
        while (auto crossing = schedule_.popDue(lastReportMs_)) {
            output_.push_back({std::string(1, static_cast<char>('A' + crossing->lane - 1)),
                               crossing->lane, crossing->boxMs});
        }
    }
    nowMs_ = target;
}

std::vector<Emission> BoxModel::takeOutput() {
    std::vector<Emission> taken;
    taken.swap(output_);
    return taken;
}

std::optional<std::int64_t> BoxModel::msUntilNextReport() const {
    if (!timing_) return std::nullopt;
    return lastReportMs_ + settings_.reportMs - nowMs_;
}

}  // namespace qel::boxsim
