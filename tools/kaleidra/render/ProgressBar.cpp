#include "ProgressBar.h"

#include <unistd.h>

#include <string>

ProgressBar::ProgressBar(long long totalUnits, bool drawn, std::FILE* stream)
    : total(totalUnits > 0 ? totalUnits : 1), enabled(drawn), out(stream) {}

ProgressBar::~ProgressBar() {
    Finish();
}

bool ProgressBar::StderrIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}

void ProgressBar::Advance(long long done) {
    if (!enabled) {
        return;
    }
    const long long now = finished.fetch_add(done) + done;
    const int percent = static_cast<int>(now * 100 / total);
    std::lock_guard<std::mutex> lock(drawing);
    if (percent > shown && !closed) {
        Draw(percent);
    }
}

void ProgressBar::Finish() {
    if (!enabled) {
        return;
    }
    std::lock_guard<std::mutex> lock(drawing);
    if (closed) {
        return;
    }
    Draw(100);
    std::fputc('\n', out);
    closed = true;
}

void ProgressBar::Draw(int percent) {
    constexpr int kWidth = 40;
    shown = percent > 100 ? 100 : percent;
    const int filled = shown * kWidth / 100;
    const std::string bar = std::string(static_cast<std::size_t>(filled), '#') +
                            std::string(static_cast<std::size_t>(kWidth - filled), '.');
    std::fprintf(out, "\rrendering [%s] %3d%%", bar.c_str(), shown);
    std::fflush(out);
}
