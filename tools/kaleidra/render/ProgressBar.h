// A progress bar on standard error, drawn only when standard error is a terminal. Advance may be
// called from any thread.
#pragma once

#include <atomic>
#include <cstdio>
#include <mutex>

class ProgressBar {
public:
    // total: the units of work; enabled false draws nothing.
    ProgressBar(long long total, bool enabled, std::FILE* out = stderr);
    ~ProgressBar();

    // Counts `done` more units finished; redraws when the shown percentage changes.
    void Advance(long long done);
    // Draws 100 % and ends the line (once).
    void Finish();

    // True when standard error is a terminal.
    static bool StderrIsTerminal();

private:
    void Draw(int percent);

    long long total;
    bool enabled;
    std::FILE* out;
    std::atomic<long long> finished{0};
    std::mutex drawing;
    int shown = -1;
    bool closed = false;
};
