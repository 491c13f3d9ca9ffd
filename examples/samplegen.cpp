// Writes the sample universe: a map of invented planets and two planet reports of one
// player, for consecutive turns. Everything comes from one seeded generator of our own, so
// the files are the same, byte for byte, on every machine and compiler.
//
//   kavora_samplegen FOLDER     writes FOLDER/universe.map, turn41.pla and turn42.pla
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace {

// splitmix64: tiny, and fully specified, unlike the standard distributions.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return int(next() % std::uint64_t(n)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool chance(int percent) { return below(100) < percent; }

private:
    std::uint64_t m_state;
};

constexpr int kPlanets = 800;
constexpr int kMinX = 1000, kMaxX = 2900, kMinY = 1000, kMaxY = 2800;
constexpr int kMinDistance = 28;

struct Race {
    const char *name;
    int homeX, homeY, radius;
};

// Invented races; the first is the player whose reports these are.
const std::array<Race, 9> kRaces = {{
    {"Vessarin", 1450, 1400, 420},
    {"Ordune Pact", 2450, 1350, 400},
    {"Brakkul", 1900, 2000, 330},
    {"Ilvani", 1300, 2400, 380},
    {"Tessmark", 2550, 2400, 360},
    {"Quorith", 2000, 1250, 280},
    {"Cindral", 1150, 1850, 280},
    {"Myrrhen", 2650, 1850, 300},
    {"Zoravi", 1900, 2600, 280},
}};

const std::array<const char *, 24> kOnsets = {"b", "br", "c", "ch", "d", "dr", "f", "g",
                                               "gr", "h", "k", "kr", "l", "m", "n", "p",
                                               "r", "s", "sk", "t", "th", "v", "vr", "z"};
const std::array<const char *, 10> kVowels = {"a", "e", "i", "o", "u", "ae", "ei", "ou", "y",
                                               "ia"};
const std::array<const char *, 10> kCodas = {"", "", "", "n", "r", "s", "l", "th", "x", "m"};
const std::array<const char *, 6> kSuffixes = {" Prime", " Minor", " II", " III", " Reach",
                                                " Gate"};

std::string planetName(Random &random)
{
    std::string name;
    const int syllables = random.between(2, 3);
    for (int i = 0; i < syllables; ++i)
        name += std::string(kOnsets[random.below(int(kOnsets.size()))]) +
                kVowels[random.below(int(kVowels.size()))];
    name += kCodas[random.below(int(kCodas.size()))];
    name[0] = char(name[0] - 'a' + 'A');
    if (random.chance(8))
        name += kSuffixes[random.below(int(kSuffixes.size()))];
    return name;
}

struct Planet {
    std::string name;
    int x = 0, y = 0;
    int owner = -1;        // index into kRaces
    bool starbase = false;
    long long population = 0;
    bool home = false;     // a race's home world
    bool known = false;    // the player has seen it
    int age = 0;           // turns since the player's last report of it
};

std::vector<Planet> makeUniverse(Random &random)
{
    std::vector<Planet> planets;
    std::set<std::string> names;
    while (int(planets.size()) < kPlanets) {
        Planet p;
        p.x = random.between(kMinX, kMaxX);
        p.y = random.between(kMinY, kMaxY);
        bool crowded = false;
        for (const Planet &q : planets)
            if (std::abs(q.x - p.x) < kMinDistance && std::abs(q.y - p.y) < kMinDistance)
                crowded = true;
        if (crowded)
            continue;
        do
            p.name = planetName(random);
        while (!names.insert(p.name).second);
        planets.push_back(p);
    }
    return planets;
}

// The square root is exact to the last bit everywhere, unlike hypot and pow.
double distance(const Planet &p, int x, int y)
{
    const long long dx = p.x - x, dy = p.y - y;
    return std::sqrt(double(dx * dx + dy * dy));
}

// 10 to the power `digits`, times 1 to 9.99.
long long people(Random &random, int digits)
{
    long long value = random.between(100, 999);
    for (int i = 2; i < digits; ++i)
        value *= 10;
    return value + random.below(100);
}

// Each race holds most planets near its home; the home world is its most populous planet
// and carries a starbase, and a few more starbases guard the rest.
void settle(std::vector<Planet> &planets, Random &random)
{
    for (Planet &p : planets) {
        int best = -1;
        double bestShare = 1.0;
        for (int r = 0; r < int(kRaces.size()); ++r) {
            const double share = distance(p, kRaces[r].homeX, kRaces[r].homeY) / kRaces[r].radius;
            if (share < bestShare) {
                best = r;
                bestShare = share;
            }
        }
        if (best >= 0 && random.below(100) < int(95 - 60 * bestShare)) {
            p.owner = best;
            // Fewer people towards the border: from hundreds to about a million.
            p.population = people(random, 3 + int(4 * (1.0 - bestShare) * random.between(30, 100) / 100));
            p.starbase = random.chance(3);
        }
    }
    for (int r = 0; r < int(kRaces.size()); ++r) {
        Planet *home = nullptr;
        for (Planet &p : planets)
            if (!home || distance(p, kRaces[r].homeX, kRaces[r].homeY) <
                             distance(*home, kRaces[r].homeX, kRaces[r].homeY))
                home = &p;
        home->owner = r;
        home->home = true;
        home->starbase = true;
        home->population = people(random, 7);
    }
}

// The player knows what lies within reach of its own planets, and a scatter beyond.
void scout(std::vector<Planet> &planets, Random &random)
{
    for (Planet &p : planets) {
        double nearest = 1e9;
        for (const Planet &q : planets)
            if (q.owner == 0)
                nearest = std::min(nearest, distance(q, p.x, p.y));
        const bool nearHome = nearest < 600;
        // Starbases are seen from afar.
        p.known = p.owner == 0 || nearHome || p.starbase || random.chance(35);
        p.age = p.owner == 0 ? 0 : nearHome ? random.between(0, 3) : random.between(2, 14);
    }
}

// One turn later: most people grow and some worlds decline, a few border worlds change
// hands, new colonies and starbases appear and a few starbases away from home are lost, and
// the player's knowledge ages or is renewed.
void advance(std::vector<Planet> &planets, Random &random)
{
    for (Planet &p : planets) {
        if (p.owner >= 0) {
            if (random.chance(15))
                p.population -= p.population * random.between(2, 12) / 100;
            else
                p.population += p.population * random.between(1, 6) / 100 + random.between(0, 40);
        }
        if (p.owner >= 0 && !p.starbase && p.population > 20000 && random.chance(3))
            p.starbase = true;
        else if (p.starbase && !p.home && random.chance(25))
            p.starbase = false;
        if (p.owner < 0 && p.known && random.chance(4)) {
            for (const Planet &q : planets)
                if (q.owner >= 0 && distance(q, p.x, p.y) < 90) {
                    p.owner = q.owner;
                    p.population = random.between(200, 2000);
                    break;
                }
        }
        if (p.owner >= 0 && !p.home && p.population < 30000 && random.chance(6)) {
            for (const Planet &q : planets)
                if (q.owner >= 0 && q.owner != p.owner && distance(q, p.x, p.y) < 160) {
                    p.owner = q.owner;
                    p.starbase = false;
                    p.population = p.population / 3 + 100;
                    break;
                }
        }
        if (p.known)
            p.age = (p.owner == 0 || random.chance(40)) ? 0 : p.age + 1;
        else if (random.chance(5))
            p.known = true;
    }
}

bool writeFile(const std::string &path, const std::string &text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
    out.close();
    if (!out) {
        std::fprintf(stderr, "kavora_samplegen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

std::string mapText(const std::vector<Planet> &planets)
{
    std::string text = "Planet\tX\tY\tName\n";
    for (std::size_t i = 0; i < planets.size(); ++i)
        text += std::to_string(i + 1) + '\t' + std::to_string(planets[i].x) + '\t' +
                std::to_string(planets[i].y) + '\t' + planets[i].name + '\n';
    return text;
}

// Known planets in map order; an unowned one has an empty owner and no people.
std::string reportText(const std::vector<Planet> &planets)
{
    std::string text = "Planet\tOwner\tStarbase\tAge\tPopulation\t\n";
    for (const Planet &p : planets) {
        if (!p.known)
            continue;
        const bool owned = p.owner >= 0;
        text += p.name + '\t' + (owned ? kRaces[p.owner].name : "") + '\t' +
                (p.starbase ? "SB" : "") + '\t' + std::to_string(p.age) + '\t' +
                (owned ? std::to_string(p.population) : "") + "\t\n";
    }
    return text;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "Usage: kavora_samplegen FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    Random random(20261208);
    std::vector<Planet> planets = makeUniverse(random);
    settle(planets, random);
    scout(planets, random);
    const std::string turn41 = reportText(planets);
    advance(planets, random);
    const std::string turn42 = reportText(planets);
    const bool written = writeFile(folder + "/universe.map", mapText(planets)) &&
                         writeFile(folder + "/turn41.pla", turn41) &&
                         writeFile(folder + "/turn42.pla", turn42);
    return written ? 0 : 1;
}
