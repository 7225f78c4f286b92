// A stand-in for the encoder library that records every call, for testing its callers.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace fakeencoder {

struct Call {
    std::string name;
    std::vector<double> args;
    std::string text;           // the path of SetOutputPath
    std::vector<uint8_t> bytes; // the data of a short PushVideo or PushAudio
};

struct State {
    std::vector<Call> calls;
    // Result of a call by name; calls not listed return 0 (1 for the limit calls).
    std::map<std::string, int> results;
    int doneAfterPolls = 0; // IsDone answers 0 this many times, then its result
    int64_t fileSize = 0, encodedTimestamp = 0;
};

State& state();
void reset();
std::vector<std::string> callNames();
const Call* lastCall(const std::string& name);
int count(const std::string& name);

} // namespace fakeencoder
