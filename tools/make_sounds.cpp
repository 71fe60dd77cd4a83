// Writes the game's four sounds as 16-bit mono WAV files into the folder given
// as the only argument: the card snap, the shuffle riffle, the won-game jingle
// and the lost-game "uh-oh". Everything is synthesised from a fixed seed, so
// every build produces the same files.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

using Samples = std::vector<double>;

int SamplesFor(double seconds) {
  return static_cast<int>(std::lround(seconds * kRate));
}

// Uniform noise in [-1, 1) from a fixed-seed generator; the conversion is done
// here rather than by a distribution so that every standard library agrees.
class Noise {
 public:
  explicit Noise(std::uint32_t seed) : engine_(seed) {}
  double Next() { return static_cast<double>(engine_()) / 2147483648.0 - 1.0; }
  double Uniform(double low, double high) { return low + (high - low) * (Next() + 1.0) / 2.0; }

 private:
  std::mt19937 engine_;
};

// Mixes a short filtered noise burst into out at start: the sound of one card
// edge hitting the table. brightness (0..1) sets how much high end survives.
void AddSnap(Samples& out, int start, double amplitude, double decaySeconds, double brightness,
             Noise& noise) {
  const int length = SamplesFor(decaySeconds * 6.0);
  const int attack = SamplesFor(0.0008);
  // One-pole low-pass for body, then a high-pass to take the thump out.
  const double lowCoeff = 0.15 + 0.8 * brightness;
  double low = 0.0;
  double previousLow = 0.0;
  double high = 0.0;
  for (int i = 0; i < length && start + i < static_cast<int>(out.size()); ++i) {
    low += lowCoeff * (noise.Next() - low);
    high = 0.92 * (high + low - previousLow);
    previousLow = low;
    const double t = static_cast<double>(i) / kRate;
    double envelope = std::exp(-t / decaySeconds);
    if (i < attack) envelope *= static_cast<double>(i) / attack;
    out[start + i] += amplitude * envelope * high;
  }
}

// Adds a bell-like note: a few harmonics, a soft attack and an exponential
// decay, with a short release at its end.
void AddNote(Samples& out, double startSeconds, double frequency, double lengthSeconds,
             double amplitude, double decaySeconds) {
  const int start = SamplesFor(startSeconds);
  const int length = SamplesFor(lengthSeconds);
  const int attack = SamplesFor(0.006);
  const int release = SamplesFor(0.03);
  const double harmonics[][2] = {{1.0, 1.0}, {2.0, 0.35}, {3.0, 0.12}, {4.0, 0.05}};
  for (int i = 0; i < length && start + i < static_cast<int>(out.size()); ++i) {
    const double t = static_cast<double>(i) / kRate;
    double value = 0.0;
    for (const auto& [multiple, weight] : harmonics) {
      // Higher partials fade faster, which keeps the tone sweet.
      value += weight * std::exp(-t * multiple / decaySeconds) *
               std::sin(kTwoPi * frequency * multiple * t);
    }
    double envelope = 1.0;
    if (i < attack) envelope = static_cast<double>(i) / attack;
    if (i > length - release) envelope *= static_cast<double>(length - i) / release;
    out[start + i] += amplitude * envelope * value;
  }
}

// A soft hummed note for the "uh-oh": mostly fundamental with a little second
// and third harmonic, a gentle vibrato and a pitch that sags at the end.
void AddHum(Samples& out, double startSeconds, double frequency, double lengthSeconds,
            double sagAtEnd, double amplitude) {
  const int start = SamplesFor(startSeconds);
  const int length = SamplesFor(lengthSeconds);
  const int attack = SamplesFor(0.025);
  const int release = SamplesFor(0.08);
  double phase = 0.0;
  for (int i = 0; i < length && start + i < static_cast<int>(out.size()); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double progress = static_cast<double>(i) / length;
    const double vibrato = 1.0 + 0.006 * std::sin(kTwoPi * 5.5 * t);
    const double sag = 1.0 - sagAtEnd * progress * progress;
    phase += kTwoPi * frequency * vibrato * sag / kRate;
    const double value =
        std::sin(phase) + 0.30 * std::sin(2.0 * phase) + 0.10 * std::sin(3.0 * phase);
    double envelope = 1.0;
    if (i < attack) envelope = 0.5 - 0.5 * std::cos(std::numbers::pi * i / attack);
    if (i > length - release) {
      envelope *= 0.5 - 0.5 * std::cos(std::numbers::pi * (length - i) / release);
    }
    out[start + i] += amplitude * envelope * value;
  }
}

// Scales to the given peak and fades both ends so that playback never clicks.
void Finish(Samples& samples, double peak, double fadeSeconds) {
  double largest = 0.0;
  for (double s : samples) largest = std::max(largest, std::abs(s));
  if (largest > 0.0) {
    for (double& s : samples) s *= peak / largest;
  }
  const int fade = std::min(SamplesFor(fadeSeconds), static_cast<int>(samples.size()) / 2);
  for (int i = 0; i < fade; ++i) {
    const double gain = static_cast<double>(i) / fade;
    samples[i] *= gain;
    samples[samples.size() - 1 - i] *= gain;
  }
}

Samples CardSnap() {
  Noise noise(1001);
  Samples out(SamplesFor(0.060), 0.0);
  AddSnap(out, 0, 1.0, 0.008, 0.75, noise);
  // A softer second contact as the card settles.
  AddSnap(out, SamplesFor(0.012), 0.35, 0.006, 0.5, noise);
  Finish(out, 0.45, 0.004);
  return out;
}

Samples Riffle() {
  Noise noise(2002);
  Samples out(SamplesFor(0.80), 0.0);
  // Clicks come quickly in the middle of the riffle and thin out at the ends.
  double t = 0.02;
  while (t < 0.66) {
    const double progress = t / 0.66;
    const double swell = std::sin(std::numbers::pi * progress);
    const double gap = 0.018 - 0.011 * swell + noise.Uniform(-0.002, 0.002);
    AddSnap(out, SamplesFor(t), 0.4 + 0.6 * swell * noise.Uniform(0.7, 1.0), 0.0015, 0.9, noise);
    t += gap;
  }
  // The cards squared up at the end.
  AddSnap(out, SamplesFor(0.70), 0.8, 0.012, 0.35, noise);
  Finish(out, 0.40, 0.006);
  return out;
}

Samples Win() {
  Samples out(SamplesFor(1.0), 0.0);
  // C major, rising: C5 E5 G5 and C6 ringing on to the end.
  const double notes[] = {523.25, 659.26, 783.99, 1046.50};
  for (int n = 0; n < 4; ++n) {
    const double start = 0.13 * n;
    const bool last = n == 3;
    AddNote(out, start, notes[n], 1.0 - start, last ? 0.9 : 0.7, last ? 0.35 : 0.18);
  }
  // A quiet octave sparkle on the final note.
  AddNote(out, 0.40, 2093.0, 0.6, 0.12, 0.15);
  Finish(out, 0.50, 0.008);
  return out;
}

Samples UhOh() {
  Samples out(SamplesFor(0.60), 0.0);
  // A falling minor third: "uh" on A4, "oh" on F#4, the second sagging a little.
  AddHum(out, 0.00, 440.0, 0.22, 0.0, 1.0);
  AddHum(out, 0.24, 369.99, 0.36, 0.05, 1.0);
  Finish(out, 0.42, 0.010);
  return out;
}

void PutLE(std::ofstream& file, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) file.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

bool WriteWav(const std::filesystem::path& path, const Samples& samples) {
  std::ofstream file(path, std::ios::binary);
  if (!file) return false;
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  file.write("RIFF", 4);
  PutLE(file, 36 + dataBytes, 4);
  file.write("WAVEfmt ", 8);
  PutLE(file, 16, 4);         // size of the format chunk
  PutLE(file, 1, 2);          // PCM
  PutLE(file, 1, 2);          // mono
  PutLE(file, kRate, 4);      // sample rate
  PutLE(file, kRate * 2, 4);  // bytes per second
  PutLE(file, 2, 2);          // bytes per frame
  PutLE(file, 16, 2);         // bits per sample
  file.write("data", 4);
  PutLE(file, dataBytes, 4);
  for (double s : samples) {
    const long value = std::lround(std::clamp(s, -1.0, 1.0) * 32767.0);
    PutLE(file, static_cast<std::uint32_t>(static_cast<std::int16_t>(value)) & 0xFFFF, 2);
  }
  return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_sounds FOLDER\n";
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  const struct {
    const char* name;
    Samples samples;
  } sounds[] = {{"carddeal1.wav", CardSnap()},
                {"riffle.wav", Riffle()},
                {"win.wav", Win()},
                {"Uhho.wav", UhOh()}};
  for (const auto& sound : sounds) {
    if (!WriteWav(folder / sound.name, sound.samples)) {
      std::cerr << "make_sounds: cannot write " << (folder / sound.name).string() << "\n";
      return 1;
    }
  }
  return 0;
}
