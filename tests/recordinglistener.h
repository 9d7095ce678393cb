#pragma once

#include "abacuscore.h"

#include <string>
#include <vector>

// Remembers everything the core tells its window, in order.
struct RecordingListener : tallino::AbacusListener {
    struct Write {
        tallino::Place place;
        std::string text;
    };

    void changeHandlerStarted(tallino::Place) override { ++handlerRuns; }
    void textWritten(tallino::Place place, std::string_view text) override
    {
        writes.push_back({ place, std::string(text) });
    }
    void beadsSet(tallino::Place, int shown) override { beadSettings.push_back(shown); }
    void errorRequested() override { ++errors; }

    void clear() { *this = {}; }

    int handlerRuns = 0;
    int errors = 0;
    std::vector<Write> writes;
    std::vector<int> beadSettings;
};
