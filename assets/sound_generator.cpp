// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// Makes every sound of the game at build time: each one is put together from oscillators,
// filtered noise, envelopes and pitch glides, made as loud as the others, and written as
// 16-bit PCM into a C++ source file that the sound library compiles in.
//
//   rz6_sound_generator OUTPUT.cpp LEVELS.txt
//
// LEVELS.txt lists each sound's length, loudness and peak. The generator stops with an error
// when a sound would not fit the game's rules for its sounds: longer than 400 ms (except the
// result's), or too loud at its peak once it has the common loudness.
#include "sound/sound_bank.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

namespace {

using rz6::sound::sampleRate;
constexpr double rate = sampleRate;
constexpr double pi = std::numbers::pi;

// The loudness every sound is brought to: the RMS of its loudest 100 ms, in dBFS.
constexpr double targetLoudnessDb = -18.0;
// No sound's peak may come above this once it has the common loudness.
constexpr double peakCeilingDb = -3.0;
constexpr double loudnessWindow = 0.100;
constexpr double longestCue = 0.400;
constexpr double longestResult = 1.400;

double dbToGain(double db) {
    return std::pow(10.0, db / 20.0);
}

// A sound under construction, in seconds and linear amplitude.
struct Sound {
    std::vector<double> samples;
    explicit Sound(double seconds) : samples(static_cast<std::size_t>(seconds * rate + 0.5)) {}
    std::size_t size() const { return samples.size(); }
    double seconds() const { return static_cast<double>(size()) / rate; }
};

std::size_t frameAt(double seconds) {
    return static_cast<std::size_t>(std::max(0.0, seconds) * rate + 0.5);
}

// White noise of a fixed seed (xorshift64*): the same sounds at every build.
class Noise {
public:
    explicit Noise(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
    double next() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        const std::uint64_t value = state_ * 0x2545F4914F6CDD1Dull;
        return static_cast<double>(value >> 11) / static_cast<double>(1ull << 53) * 2.0 - 1.0;
    }

private:
    std::uint64_t state_;
};

// An envelope: a raised-cosine attack, then an exponential decay with time constant `decay`
// (seconds; 0 holds the level), cut to nothing over `release` at `length`. A negative decay
// runs backwards: the level swells to its height at `length`, as a ring played in reverse.
struct Envelope {
    double attack = 0.002;
    double decay = 0.0;
    double length = 1.0;
    double release = 0.010;

    double at(double t) const {
        if (t < 0.0 || t >= length)
            return 0.0;
        double level = 1.0;
        if (decay < 0.0)
            level = std::exp((length - t) / decay);
        else if (t >= attack && decay > 0.0)
            level = std::exp(-(t - attack) / decay);
        if (t < attack)
            level *= 0.5 - 0.5 * std::cos(pi * t / attack);
        if (t > length - release)
            level *= 0.5 - 0.5 * std::cos(pi * (length - t) / release);
        return level;
    }
};

// A sine from `start` whose pitch glides exponentially from `from` to `to` (Hz) over `glide`
// seconds and then holds.
void addTone(Sound& sound, double start, double from, double to, double glide, double amplitude,
             const Envelope& envelope, double phase = 0.0) {
    if (std::max(from, to) > 0.45 * rate)
        return; // above what the sample rate can carry
    const std::size_t first = frameAt(start);
    const std::size_t last = std::min(sound.size(), first + frameAt(envelope.length));
    for (std::size_t n = first; n < last; ++n) {
        const double t = static_cast<double>(n - first) / rate;
        const double progress = glide > 0.0 ? std::min(1.0, t / glide) : 1.0;
        const double frequency = from * std::pow(to / from, progress);
        phase += 2.0 * pi * frequency / rate;
        sound.samples[n] += amplitude * envelope.at(t) * std::sin(phase);
    }
}

// The partials of a struck or plucked body: each is (ratio to the fundamental, amplitude,
// decay time in seconds).
struct Partial {
    double ratio;
    double amplitude;
    double decay;
};

void addPartials(Sound& sound, double start, double fundamental, double length, double attack,
                 const std::vector<Partial>& partials, double amplitude, double release = 0.02) {
    double phase = 0.0;
    for (const Partial& p : partials) {
        // Each partial starts at its own phase, so their peaks do not all meet in the attack.
        phase += 2.0;
        addTone(sound, start, fundamental * p.ratio, fundamental * p.ratio, 0.0,
                amplitude * p.amplitude, Envelope{attack, p.decay, length, release}, phase);
    }
}

// A second-order band-pass (constant peak gain) whose centre may move from sample to sample.
class BandPass {
public:
    double run(double x, double centre, double q) {
        const double w = 2.0 * pi * std::min(centre, 0.45 * rate) / rate;
        const double alpha = std::sin(w) / (2.0 * q);
        const double a0 = 1.0 + alpha;
        const double b0 = alpha / a0;
        const double a1 = -2.0 * std::cos(w) / a0;
        const double a2 = (1.0 - alpha) / a0;
        const double y = b0 * x - b0 * x2_ - a1 * y1_ - a2 * y2_;
        x2_ = x1_;
        x1_ = x;
        y2_ = y1_;
        y1_ = y;
        return y;
    }

private:
    double x1_ = 0.0, x2_ = 0.0, y1_ = 0.0, y2_ = 0.0;
};

// Noise through a band-pass whose centre follows `centre(t)` and whose level follows the
// envelope.
void addNoiseBand(Sound& sound, std::uint64_t seed, double start, double amplitude, double q,
                  const std::function<double(double)>& centre, const Envelope& envelope) {
    Noise noise(seed);
    // Two band-passes in a row: the band's skirts fall steeply, so no hiss spreads above it.
    BandPass filter, second;
    const auto filtered = [&](double t) {
        return second.run(filter.run(noise.next(), centre(t), q), centre(t), q);
    };
    const std::size_t first = frameAt(start);
    const std::size_t last = std::min(sound.size(), first + frameAt(envelope.length));
    // The filters take a few milliseconds of noise before the sound begins, to settle in.
    for (int n = 0; n < 256; ++n)
        filtered(0.0);
    for (std::size_t n = first; n < last; ++n) {
        const double t = static_cast<double>(n - first) / rate;
        sound.samples[n] += amplitude * envelope.at(t) * filtered(t);
    }
}

double glideBetween(double from, double to, double t, double over) {
    return from * std::pow(to / from, std::clamp(t / over, 0.0, 1.0));
}

// A hard body struck: a very short burst of noise rings the body's resonances (Hz, Q,
// amplitude), as wood or a blade rings.
struct Resonance {
    double centre;
    double q;
    double amplitude;
};

void addKnock(Sound& sound, std::uint64_t seed, double start, double amplitude, double burst,
              const std::vector<Resonance>& resonances, double length) {
    Noise noise(seed);
    std::vector<double> excitation(frameAt(length));
    for (std::size_t n = 0; n < excitation.size(); ++n) {
        const double t = static_cast<double>(n) / rate;
        if (t < burst)
            excitation[n] = noise.next() * (0.5 - 0.5 * std::cos(2.0 * pi * t / burst));
    }
    const std::size_t first = frameAt(start);
    for (const Resonance& r : resonances) {
        BandPass filter;
        // The band-pass's gain is one at its centre: a narrow one is made up for by its Q, so
        // each resonance rings about as loud as its amplitude says.
        for (std::size_t n = 0; n < excitation.size() && first + n < sound.size(); ++n) {
            const double t = static_cast<double>(n) / rate;
            const double fade = t > length - 0.004 ? (length - t) / 0.004 : 1.0;
            sound.samples[first + n] += amplitude * r.amplitude * r.q * 0.25 * fade *
                                        filter.run(excitation[n], r.centre, r.q);
        }
    }
}

// --- finishing: no DC, silent ends, the common loudness, and checks ---

// A first-order high-pass at 20 Hz, run forwards then backwards so nothing is delayed.
void removeLowRumble(Sound& sound) {
    const double r = std::exp(-2.0 * pi * 20.0 / rate);
    for (int pass = 0; pass < 2; ++pass) {
        double previousIn = 0.0, previousOut = 0.0;
        for (double& x : sound.samples) {
            const double y = r * (previousOut + x - previousIn);
            previousIn = x;
            previousOut = y;
            x = y;
        }
        std::reverse(sound.samples.begin(), sound.samples.end());
    }
}

// Takes what offset is left out under a Hann window, so the mean is nil and both ends stay at
// nothing.
void removeOffset(Sound& sound) {
    const double count = static_cast<double>(sound.size());
    double sum = 0.0, windowSum = 0.0;
    std::vector<double> window(sound.size());
    for (std::size_t n = 0; n < sound.size(); ++n) {
        window[n] = 0.5 - 0.5 * std::cos(2.0 * pi * static_cast<double>(n) / (count - 1.0));
        sum += sound.samples[n];
        windowSum += window[n];
    }
    for (std::size_t n = 0; n < sound.size(); ++n)
        sound.samples[n] -= sum / windowSum * window[n];
}

// Both ends ramp: 1 ms in, 5 ms out.
void rampEnds(Sound& sound) {
    const std::size_t in = frameAt(0.001), out = frameAt(0.005);
    for (std::size_t n = 0; n < in; ++n)
        sound.samples[n] *= static_cast<double>(n) / static_cast<double>(in);
    for (std::size_t n = 0; n < out; ++n)
        sound.samples[sound.size() - 1 - n] *= static_cast<double>(n) / static_cast<double>(out);
}

double loudestWindowRms(const Sound& sound) {
    const std::size_t window = std::min(sound.size(), frameAt(loudnessWindow));
    const std::size_t hop = frameAt(0.005);
    double loudest = 0.0;
    for (std::size_t first = 0; first + window <= sound.size(); first += hop) {
        double energy = 0.0;
        for (std::size_t n = first; n < first + window; ++n)
            energy += sound.samples[n] * sound.samples[n];
        loudest = std::max(loudest, std::sqrt(energy / static_cast<double>(window)));
    }
    return loudest;
}

double peakOf(const Sound& sound) {
    double peak = 0.0;
    for (const double x : sound.samples)
        peak = std::max(peak, std::abs(x));
    return peak;
}

struct Finished {
    std::string name;
    std::vector<std::int16_t> pcm;
    double loudnessDb = 0.0;
    double peakDb = 0.0;
    std::string problem; // why the sound does not fit the rules, if it does not
};

Finished finish(std::string name, Sound sound, double longest) {
    Finished finished{std::move(name), {}, targetLoudnessDb, 0.0, {}};
    if (sound.seconds() > longest + 1e-9)
        finished.problem = "lasts " + std::to_string(sound.seconds()) + " s";
    removeLowRumble(sound);
    removeOffset(sound);
    rampEnds(sound);
    const double gain = dbToGain(targetLoudnessDb) / loudestWindowRms(sound);
    for (double& x : sound.samples)
        x *= gain;
    const double peak = peakOf(sound);
    finished.peakDb = 20.0 * std::log10(peak);
    if (peak > dbToGain(peakCeilingDb))
        finished.problem = "peaks at " + std::to_string(finished.peakDb) + " dBFS";
    finished.pcm.reserve(sound.size());
    for (const double x : sound.samples)
        finished.pcm.push_back(static_cast<std::int16_t>(std::lround(x * 32767.0)));
    return finished;
}

// --- the sounds ---

// A landing: the blade's swish, then the strike rings. Every step of the combo rings higher,
// along a pentatonic scale, so the player hears the combo climb.
Sound landing(int step) {
    constexpr int scale[rz6::sound::comboSteps] = {0, 2, 4, 7, 9, 12, 14, 16, 19, 21};
    const double pitch = 523.25 * std::pow(2.0, scale[step - 1] / 12.0); // from C5
    Sound sound(0.380);
    const double hit = 0.085;
    // The swish: noise sweeping upwards as the blade comes round.
    addNoiseBand(
        sound, 11, 0.0, 0.55, 2.2, [](double t) { return glideBetween(1200.0, 5200.0, t, 0.09); },
        Envelope{0.070, 0.012, hit + 0.03, 0.02});
    // The contact: a bright, very short crack.
    addKnock(sound, 12 + static_cast<std::uint64_t>(step), hit, 0.9, 0.0015,
             {{3200.0, 3.0, 1.0}, {6100.0, 2.5, 0.6}}, 0.03);
    // The ring of the blade: a strong fundamental with a few harmonics and one inharmonic
    // partial, and a slightly detuned twin that makes it shimmer.
    addPartials(sound, hit, pitch, sound.seconds() - hit, 0.0015,
                {{1.0, 1.0, 0.11},
                 {1.004, 0.35, 0.13},
                 {2.0, 0.32, 0.06},
                 {3.0, 0.14, 0.04},
                 {2.76, 0.10, 0.035}},
                0.5, 0.05);
    return sound;
}

// A block: two dull wooden knocks, the second the rebound, over a soft thump.
Sound block() {
    Sound sound(0.200);
    const std::vector<Resonance> wood = {
        {520.0, 14.0, 1.0}, {1150.0, 16.0, 0.55}, {1900.0, 10.0, 0.25}};
    addKnock(sound, 21, 0.0, 2.2, 0.003, wood, 0.12);
    std::vector<Resonance> rebound = wood;
    for (Resonance& r : rebound)
        r.centre *= 1.06;
    addKnock(sound, 22, 0.048, 0.8, 0.003, rebound, 0.12);
    addTone(sound, 0.0, 150.0, 105.0, 0.04, 0.45, Envelope{0.002, 0.028, 0.15, 0.03});
    return sound;
}

// A counter: the ring of a strike swelling backwards, cut by a sharp snap.
Sound counter() {
    Sound sound(0.300);
    const double snap = 0.165;
    // The reversed ring: partials of a struck bar whose level rises as a ring would fall,
    // and noise swelling with them.
    const Envelope swell{0.002, -0.045, snap, 0.004};
    addTone(sound, 0.0, 880.0, 880.0, 0.0, 0.32, swell);
    addTone(sound, 0.0, 880.0 * 2.76, 880.0 * 2.76, 0.0, 0.16, swell, 1.0);
    addTone(sound, 0.0, 880.0 * 5.40, 880.0 * 5.40, 0.0, 0.07, swell, 2.0);
    addNoiseBand(
        sound, 31, 0.0, 0.4, 1.5, [](double) { return 3000.0; }, swell);
    // The snap: a bright crack, a falling high tone and a short low hit.
    addKnock(sound, 32, snap, 1.0, 0.001, {{2600.0, 4.0, 1.0}, {5200.0, 3.0, 0.7}}, 0.03);
    addTone(sound, snap, 1760.0, 1320.0, 0.03, 0.30, Envelope{0.001, 0.028, 0.12, 0.03});
    addTone(sound, snap, 210.0, 160.0, 0.03, 0.35, Envelope{0.001, 0.030, 0.12, 0.03});
    return sound;
}

// A miss: an airy whoosh through empty space, rising and falling.
Sound miss() {
    Sound sound(0.340);
    const auto centre = [](double t) {
        return t < 0.13 ? glideBetween(700.0, 2200.0, t, 0.13)
                        : glideBetween(2200.0, 900.0, t - 0.13, 0.2);
    };
    addNoiseBand(sound, 41, 0.0, 0.8, 1.1, centre, Envelope{0.13, 0.07, 0.34, 0.08});
    // The air above it, an octave up and softer.
    addNoiseBand(
        sound, 42, 0.0, 0.3, 1.6, [&](double t) { return 2.0 * centre(t); },
        Envelope{0.11, 0.06, 0.30, 0.08});
    return sound;
}

// An abandon: a stumble, three uneven falling thuds and a scrape of feet.
Sound abandon() {
    Sound sound(0.360);
    const double when[] = {0.0, 0.085, 0.205};
    const double level[] = {1.0, 0.7, 0.5};
    const double from[] = {180.0, 160.0, 140.0};
    for (int i = 0; i < 3; ++i) {
        addTone(sound, when[i], from[i], from[i] / 2.0, 0.04, 0.5 * level[i],
                Envelope{0.003, 0.045, 0.14, 0.03});
        addKnock(sound, 51 + static_cast<std::uint64_t>(i), when[i], 0.6 * level[i], 0.004,
                 {{380.0, 3.0, 1.0}, {900.0, 2.0, 0.4}}, 0.08);
    }
    addNoiseBand(
        sound, 55, 0.03, 0.10, 1.2, [](double) { return 1500.0; }, Envelope{0.06, 0.0, 0.19, 0.06});
    return sound;
}

// The last turn: a low gong, its partials crowded and beating, with the mallet's thud.
Sound lastTurn() {
    Sound sound(0.400);
    addPartials(sound, 0.0, 110.0, 0.400, 0.004,
                {{1.0, 1.0, 0.9},
                 {1.012, 0.5, 0.8},
                 {1.48, 0.45, 0.5},
                 {2.0, 0.55, 0.45},
                 {2.74, 0.35, 0.3},
                 {3.56, 0.25, 0.22},
                 {4.46, 0.15, 0.15}},
                0.22, 0.12);
    addKnock(sound, 61, 0.0, 0.5, 0.008, {{220.0, 2.0, 1.0}, {450.0, 2.0, 0.5}}, 0.08);
    return sound;
}

// The end of the match: the two claps of the wooden clappers that close a performance, hard
// wood ringing high and short.
Sound matchEnd() {
    Sound sound(0.340);
    const double claps[] = {0.0, 0.150};
    const double level[] = {0.8, 1.0};
    for (int i = 0; i < 2; ++i) {
        addPartials(
            sound, claps[i], 1180.0, 0.17, 0.0008,
            {{1.0, 0.45, 0.020}, {1.95, 1.0, 0.050}, {2.67, 0.6, 0.030}, {3.69, 0.35, 0.018}},
            0.3 * level[i], 0.02);
        addKnock(sound, 71 + static_cast<std::uint64_t>(i), claps[i], 0.5 * level[i], 0.0012,
                 {{3000.0, 2.0, 1.0}}, 0.02);
    }
    return sound;
}

// A plucked string (koto-like): harmonics that fall away faster the higher they are.
void addPluck(Sound& sound, double start, double pitch, double length, double amplitude) {
    std::vector<Partial> partials;
    for (int k = 1; k <= 8; ++k)
        partials.push_back(
            {k * (1.0 + 0.0004 * k * k), 1.0 / std::pow(k, 1.4), 0.55 / std::pow(k, 0.9)});
    addPartials(sound, start, pitch, length, 0.002, partials, amplitude, 0.06);
}

// The result screen: a plucked flourish up the yo scale, ending on a ringing chord.
Sound result() {
    Sound sound(1.300);
    const double d5 = 587.33;
    const double steps[] = {0, 2, 5, 7, 9, 12};
    for (int i = 0; i < 6; ++i)
        addPluck(sound, 0.07 * i, d5 * std::pow(2.0, steps[i] / 12.0), 1.3 - 0.07 * i, 0.14);
    const double chord = 0.07 * 5;
    addPluck(sound, chord, d5, 1.3 - chord, 0.10);
    addPluck(sound, chord, d5 * std::pow(2.0, 7.0 / 12.0), 1.3 - chord, 0.09);
    return sound;
}

// A new best: a bright chime of three bells climbing.
Sound newBest() {
    Sound sound(0.400);
    const double bells[] = {1318.5, 1975.5, 2637.0}; // E6, B6, E7
    for (int i = 0; i < 3; ++i)
        addPartials(sound, 0.075 * i, bells[i], 0.400 - 0.075 * i, 0.0015,
                    {{1.0, 1.0, 0.25}, {2.76, 0.3, 0.12}, {5.40, 0.12, 0.06}, {1.002, 0.3, 0.3}},
                    0.3, 0.08);
    return sound;
}

void writeBank(const std::vector<Finished>& sounds, const char* path) {
    std::ofstream out(path);
    out << "// Made by assets/sound_generator.cpp at build time: do not edit.\n"
           "#include \"sound/sound_bank.h\"\n\nnamespace rz6::sound {\nnamespace {\n";
    for (std::size_t i = 0; i < sounds.size(); ++i) {
        out << "// " << sounds[i].name << "\nconst std::int16_t sound" << i << "[] = {";
        for (std::size_t n = 0; n < sounds[i].pcm.size(); ++n)
            out << (n % 16 == 0 ? "\n" : " ") << sounds[i].pcm[n] << ',';
        out << "\n};\n";
    }
    out << "} // namespace\n\nconst Pcm bank[bankSize] = {\n";
    for (std::size_t i = 0; i < sounds.size(); ++i)
        out << "    {sound" << i << ", " << sounds[i].pcm.size() << "},\n";
    out << "};\n\n} // namespace rz6::sound\n";
    if (!out)
        throw std::runtime_error(std::string("cannot write ") + path);
}

void writeLevels(const std::vector<Finished>& sounds, const char* path) {
    std::ofstream out(path);
    out << "sound              length_ms  loudness_dbfs  peak_dbfs\n";
    char line[128];
    for (const Finished& s : sounds) {
        std::snprintf(line, sizeof line, "%-18s %9.1f %14.1f %10.1f\n", s.name.c_str(),
                      1000.0 * static_cast<double>(s.pcm.size()) / rate, s.loudnessDb, s.peakDb);
        out << line;
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: " << argv[0] << " OUTPUT.cpp LEVELS.txt\n";
        return 2;
    }
    try {
        std::vector<Finished> sounds;
        for (int step = 1; step <= rz6::sound::comboSteps; ++step)
            sounds.push_back(finish("landing " + std::to_string(step), landing(step), longestCue));
        sounds.push_back(finish("block", block(), longestCue));
        sounds.push_back(finish("counter", counter(), longestCue));
        sounds.push_back(finish("miss", miss(), longestCue));
        sounds.push_back(finish("abandon", abandon(), longestCue));
        sounds.push_back(finish("last turn", lastTurn(), longestCue));
        sounds.push_back(finish("match end", matchEnd(), longestCue));
        sounds.push_back(finish("result", result(), longestResult));
        sounds.push_back(finish("new best", newBest(), longestCue));
        if (sounds.size() != static_cast<std::size_t>(rz6::sound::bankSize))
            throw std::runtime_error("the bank's size does not match sound_bank.h");
        writeLevels(sounds, argv[2]);
        bool fits = true;
        for (const Finished& s : sounds)
            if (!s.problem.empty()) {
                std::cerr << argv[0] << ": the sound \"" << s.name << "\" " << s.problem << '\n';
                fits = false;
            }
        if (!fits)
            return 1;
        writeBank(sounds, argv[1]);
    } catch (const std::exception& e) {
        std::cerr << argv[0] << ": " << e.what() << '\n';
        return 1;
    }
    return 0;
}
