// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// Finds the game's sounds in a recording of what the sound server played (raw 16-bit mono
// samples at the bank's rate, as parecord writes them), for the end-to-end test of the sound
// of a match. The recording is cut into stretches of sound between silences; in each, the
// sound of the bank that matches best (normalised cross-correlation) is taken out where it
// matches, and the next best is looked for in what is left, until nothing matches. So two
// sounds that ring over each other are both found, each at its own start, and a landing of
// one combo step is told from a landing of another.
//
//   sound_recording_cues RECORDING.raw [EXPECTED...]
//   sound_recording_cues --silent RECORDING.raw
//
// EXPECTED names the sounds the recording must hold, in the order they start (landing1 ..
// landing10, block, counter, miss, abandon, last_turn, match_end, result, new_best); sounds
// that start together, in either order, are joined with '+'. Succeeds when exactly those are
// found, in that order; prints what it found. --silent succeeds when the recording holds no sound.
#include "sound/sound_bank.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace rz6::sound;
using Complex = std::complex<double>;

// Below this a sample counts as silence; a gap of silence this long parts two stretches.
constexpr double quiet = 4.0;
constexpr std::size_t gapFrames = sampleRate / 20; // 50 ms
// A stretch of sound is searched from this much before its first sample.
constexpr std::size_t leadFrames = sampleRate / 100; // 10 ms
// A sound whose best match is below this is not in what is left.
constexpr double matchFloor = 0.5;
// The server plays the game's stream at its own level (a sink at 100 %), so a sound found
// is at about the bank's level; a match far louder or softer is another sound's remains.
constexpr double softest = 0.7, loudest = 1.4;

struct Sound {
    std::string name;
    std::vector<double> samples;
    double energy = 0.0;
};

std::vector<Sound> bankSounds() {
    const char* const others[] = {"block",     "counter",   "miss",   "abandon",
                                  "last_turn", "match_end", "result", "new_best"};
    std::vector<Sound> sounds;
    const auto add = [&sounds](std::string name, Pcm pcm) {
        Sound sound{std::move(name), {pcm.samples, pcm.samples + pcm.frames}, 0.0};
        for (const double x : sound.samples)
            sound.energy += x * x;
        sounds.push_back(std::move(sound));
    };
    for (int step = 1; step <= comboSteps; ++step)
        add("landing" + std::to_string(step), cuePcm(Cue::Landing, step));
    for (int cue = static_cast<int>(Cue::Block); cue < cueCount; ++cue)
        add(others[cue - 1], cuePcm(static_cast<Cue>(cue), 1));
    return sounds;
}

void fft(std::vector<Complex>& a, bool inverse) {
    const std::size_t n = a.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(a[i], a[j]);
    }
    for (std::size_t length = 2; length <= n; length <<= 1) {
        const double angle =
            2.0 * std::numbers::pi / static_cast<double>(length) * (inverse ? 1.0 : -1.0);
        const Complex step(std::cos(angle), std::sin(angle));
        for (std::size_t first = 0; first < n; first += length) {
            Complex w(1.0);
            for (std::size_t k = 0; k < length / 2; ++k, w *= step) {
                const Complex u = a[first + k], v = a[first + k + length / 2] * w;
                a[first + k] = u + v;
                a[first + k + length / 2] = u - v;
            }
        }
    }
    if (inverse)
        for (Complex& c : a)
            c /= static_cast<double>(n);
}

struct Match {
    std::size_t offset = 0;
    double score = 0.0; // normalised cross-correlation
    double gain = 0.0;  // the sound's level there, by least squares
};

// Where in `x` the sound matches best.
Match bestMatch(const std::vector<double>& x, const Sound& sound) {
    std::size_t n = 1;
    while (n < x.size() + sound.samples.size())
        n <<= 1;
    std::vector<Complex> a(n), b(n);
    std::copy(x.begin(), x.end(), a.begin());
    std::copy(sound.samples.begin(), sound.samples.end(), b.begin());
    fft(a, false);
    fft(b, false);
    for (std::size_t i = 0; i < n; ++i)
        a[i] *= std::conj(b[i]);
    fft(a, true);
    // The recording's energy under the sound at each offset, from running sums.
    std::vector<double> sums(x.size() + 1, 0.0);
    for (std::size_t i = 0; i < x.size(); ++i)
        sums[i + 1] = sums[i] + x[i] * x[i];
    Match best;
    for (std::size_t k = 0; k < x.size(); ++k) {
        const double under = sums[std::min(x.size(), k + sound.samples.size())] - sums[k];
        const double gain = a[k].real() / sound.energy;
        if (under < 1.0 || gain < softest || gain > loudest)
            continue;
        const double score = a[k].real() / std::sqrt(under * sound.energy);
        if (score > best.score)
            best = {k, score, gain};
    }
    return best;
}

struct Found {
    std::size_t offset;
    std::string name;
    double score;
};

// Every sound in one stretch of the recording, taken out one after the other. What was
// silent in the recording stays silent: a sound whose first milliseconds did not reach the
// recording leaves nothing behind where it was not heard.
void findIn(const std::vector<double>& heard, std::size_t start, const std::vector<Sound>& sounds,
            std::vector<Found>& found) {
    std::vector<double> x = heard;
    for (int taken = 0; taken < 8; ++taken) {
        const Sound* bestSound = nullptr;
        Match best;
        for (const Sound& sound : sounds)
            if (const Match match = bestMatch(x, sound); match.score > best.score) {
                best = match;
                bestSound = &sound;
            }
        if (!bestSound || best.score < matchFloor)
            return;
        found.push_back({start + best.offset, bestSound->name, best.score});
        for (std::size_t n = 0; n < bestSound->samples.size() && best.offset + n < x.size(); ++n)
            if (std::abs(heard[best.offset + n]) >= quiet)
                x[best.offset + n] -= best.gain * bestSound->samples[n];
    }
}

std::vector<Found> findAll(const std::vector<double>& x, const std::vector<Sound>& sounds) {
    std::vector<Found> found;
    std::size_t n = 0;
    while (n < x.size()) {
        while (n < x.size() && std::abs(x[n]) < quiet)
            ++n;
        if (n == x.size())
            break;
        const std::size_t first = n;
        std::size_t last = n, silent = 0;
        for (; n < x.size() && silent < gapFrames; ++n) {
            if (std::abs(x[n]) >= quiet) {
                last = n;
                silent = 0;
            } else {
                ++silent;
            }
        }
        const std::size_t from = first > leadFrames ? first - leadFrames : 0;
        const std::size_t to = std::min(x.size(), last + leadFrames);
        findIn(std::vector<double>(x.begin() + static_cast<std::ptrdiff_t>(from),
                                   x.begin() + static_cast<std::ptrdiff_t>(to)),
               from, sounds, found);
    }
    std::sort(found.begin(), found.end(),
              [](const Found& a, const Found& b) { return a.offset < b.offset; });
    return found;
}

// Whether the found sounds are the expected ones: each group of sounds that start together
// is the next so many found, in any order among themselves.
bool asExpected(const std::vector<Found>& found, const std::vector<std::string>& expected) {
    std::size_t next = 0;
    for (const std::string& group : expected) {
        std::vector<std::string> names, heard;
        std::stringstream parts(group);
        for (std::string name; std::getline(parts, name, '+');)
            names.push_back(name);
        for (std::size_t i = 0; i < names.size() && next < found.size(); ++i)
            heard.push_back(found[next++].name);
        std::sort(names.begin(), names.end());
        std::sort(heard.begin(), heard.end());
        if (names != heard)
            return false;
    }
    return next == found.size();
}

bool readRecording(const char* path, std::vector<double>& x) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.eof() && in.fail()) {
        std::fprintf(stderr, "cannot read %s\n", path);
        return false;
    }
    x.resize(bytes.size() / 2);
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = static_cast<std::int16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    std::printf("%s: %.1f s recorded\n", path, static_cast<double>(x.size()) / sampleRate);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const bool silent = argc == 3 && std::string(argv[1]) == "--silent";
    if (argc < 2 || (argv[1][0] == '-' && !silent)) {
        std::fprintf(stderr, "usage: %s RECORDING.raw [EXPECTED...] | --silent RECORDING.raw\n",
                     argv[0]);
        return 2;
    }
    std::vector<double> x;
    if (!readRecording(argv[silent ? 2 : 1], x))
        return 1;
    if (silent) {
        const auto loudest = std::max_element(
            x.begin(), x.end(), [](double a, double b) { return std::abs(a) < std::abs(b); });
        if (loudest != x.end() && std::abs(*loudest) >= quiet) {
            std::printf("not silent: a sample of %.0f at %.3f s\n", *loudest,
                        static_cast<double>(loudest - x.begin()) / sampleRate);
            return 1;
        }
        std::printf("silent\n");
        return 0;
    }
    const std::vector<Found> found = findAll(x, bankSounds());
    for (const Found& f : found)
        std::printf("%8.3f s  %-10s match %.3f\n", static_cast<double>(f.offset) / sampleRate,
                    f.name.c_str(), f.score);
    const std::vector<std::string> expected(argv + 2, argv + argc);
    if (argc > 2 && !asExpected(found, expected)) {
        std::string wanted;
        for (const std::string& group : expected)
            wanted += " " + group;
        std::printf("not the sounds expected:%s\n", wanted.c_str());
        return 1;
    }
    return 0;
}
