// GeographicLib's geodesic and rhumb-line results, inverse and direct, written as the command line
// writes them, over 10,000 random WGS-84 legs from a fixed seed, and hashed. Built natively against
// Debian's library and with em++ against the same version built from its sources, both runs must
// give the expected hash: the WebAssembly build then writes every distance, course and position
// text that the native one does, although emscripten's sine and cosine differ in the last bit.
//   orvanto_geographiclib_legs          checks the hash (exit status 1 when it differs)
//   orvanto_geographiclib_legs --texts  prints the texts instead, to diff two builds line by line
#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/Rhumb.hpp>

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>

#include "calculator/decimal_text.h"

namespace {

constexpr int kLegs = 10000;
constexpr std::uint64_t kSeed = 20261208;
// FNV-1a of all the texts, one line a leg, from the native build against Debian's GeographicLib.
constexpr std::uint64_t kExpectedHash = 0x7fc9d11cf8a248d1;

constexpr double kMetresPerKilometre = 1000;
constexpr double kTurn = 360;
constexpr long kTenthsInTurn = 3600;

// Uniform draws from the generator's bits alone: the standard distributions, std::exp and the like
// may differ between libstdc++ and libc++ or between two maths libraries, and the legs must not.
class Draws {
  public:
    double uniform(double low, double high) {
        constexpr double kUnit = 0x1p-53;
        return low + (high - low) * static_cast<double>(engine_() >> 11) * kUnit;
    }

  private:
    std::mt19937_64 engine_{kSeed};
};

std::string kilometres(double metres) {
    return orvanto::formatDecimals(metres / kMetresPerKilometre, orvanto::kResultDecimals,
                                   orvanto::NumberStyle::Plain);
}

// A course in tenths of a degree, 000.0 to 359.9, from an azimuth of -180 to 180.
std::string course(double azimuth) {
    const double turned = std::fmod(azimuth, kTurn);
    const double positive = turned < 0 ? turned + kTurn : turned;
    const long tenths = std::lround(std::floor(positive * 10 + 0.5)) % kTenthsInTurn;
    char text[8];
    std::snprintf(text, sizeof text, "%03ld.%ld", tenths / 10, tenths % 10);
    return text;
}

// A rhumb line run past a pole has no end point: GeographicLib gives NaN, whose sign printf shows.
std::string position(double latitude, double longitude) {
    if (!std::isfinite(latitude) || !std::isfinite(longitude)) {
        return "- -";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.7f %.7f", latitude, longitude);
    return text;
}

// Three kinds of leg in turn: anywhere, short (within 2 degrees, where a distance is a few
// thousandths of a kilometre), and nearly antipodal (where the geodesic inverse converges slowest);
// every other direct run is short too.
std::string legTexts(Draws& draws, int index) {
    const GeographicLib::Geodesic& geodesic = GeographicLib::Geodesic::WGS84();
    const GeographicLib::Rhumb& rhumb = GeographicLib::Rhumb::WGS84();
    const auto latitude = [](double degrees) { return std::clamp(degrees, -90.0, 90.0); };

    const double lat1 = draws.uniform(-90, 90);
    const double lon1 = draws.uniform(-180, 180);
    double lat2 = draws.uniform(-90, 90);
    double lon2 = draws.uniform(-180, 180);
    const double offsetLat = draws.uniform(-2, 2);
    const double offsetLon = draws.uniform(-2, 2);
    if (index % 3 == 1) {
        lat2 = latitude(lat1 + offsetLat);
        lon2 = lon1 + offsetLon;
    } else if (index % 3 == 2) {
        lat2 = latitude(-lat1 + offsetLat);
        lon2 = lon1 + 180 + offsetLon;
    }
    const double azimuth = draws.uniform(-180, 180);
    const double metres = draws.uniform(0, index % 2 == 0 ? 1e7 : 5e4);

    double geodesicMetres = 0;
    double initial = 0;
    double final = 0;
    geodesic.Inverse(lat1, lon1, lat2, lon2, geodesicMetres, initial, final);
    double rhumbMetres = 0;
    double rhumbAzimuth = 0;
    rhumb.Inverse(lat1, lon1, lat2, lon2, rhumbMetres, rhumbAzimuth);
    std::string line = kilometres(geodesicMetres) + ' ' + course(initial) + ' ' + course(final) +
                       ' ' + kilometres(rhumbMetres) + ' ' + course(rhumbAzimuth);

    double reachedLat = 0;
    double reachedLon = 0;
    double reachedAzimuth = 0;
    geodesic.Direct(lat1, lon1, azimuth, metres, reachedLat, reachedLon, reachedAzimuth);
    line += " | " + position(reachedLat, reachedLon) + ' ' + course(reachedAzimuth);
    rhumb.Direct(lat1, lon1, azimuth, metres, reachedLat, reachedLon);
    return line + ' ' + position(reachedLat, reachedLon) + '\n';
}

std::uint64_t fnv1a(std::uint64_t hash, std::string_view text) {
    constexpr std::uint64_t kPrime = 0x100000001b3;
    for (const char c : text) {
        hash = (hash ^ static_cast<unsigned char>(c)) * kPrime;
    }
    return hash;
}

}  // namespace

int main(int argc, char** argv) {
    const bool texts = argc > 1 && std::string_view{argv[1]} == "--texts";
    Draws draws;
    std::uint64_t hash = 0xcbf29ce484222325;
    for (int index = 0; index < kLegs; ++index) {
        const std::string line = legTexts(draws, index);
        if (texts) {
            std::fputs(line.c_str(), stdout);
        }
        hash = fnv1a(hash, line);
    }
    if (texts) {
        return 0;
    }
    std::printf("%d legs, hash %016" PRIx64 "\n", kLegs, hash);
    if (hash != kExpectedHash) {
        std::printf("expected %016" PRIx64 ": run both builds with --texts and diff them\n",
                    kExpectedHash);
        return 1;
    }
    return 0;
}
