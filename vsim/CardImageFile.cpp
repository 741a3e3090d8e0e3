#include "vsim/CardImageFile.h"

#include "vsim/Hex.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

namespace {

struct LineError {
    std::string message;
};

std::vector<std::string> words(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> w;
    for (std::string s; in >> s;) w.push_back(s);
    return w;
}

std::string rest(const std::string& line, size_t wordsToSkip)
{
    size_t pos = 0;
    for (size_t i = 0; i < wordsToSkip; ++i) {
        pos = line.find_first_not_of(" \t", pos);
        pos = line.find_first_of(" \t", pos);
        if (pos == std::string::npos) return {};
    }
    return line.substr(pos);
}

unsigned long number(const std::string& text, int base, unsigned long max, const std::string& what)
{
    if (text.empty()) throw LineError{"missing " + what};
    size_t used = 0;
    unsigned long v = 0;
    try {
        v = std::stoul(text, &used, base);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text.size() || v > max) throw LineError{"bad " + what + " '" + text + "'"};
    return v;
}

std::vector<uint8_t> hexBytes(const std::string& text)
{
    std::vector<uint8_t> b;
    if (!Hex::parse(text, b)) throw LineError{"bad hex bytes"};
    return b;
}

// key=value words after the keyword; flags (words without '=') map to "".
std::map<std::string, std::string> attributes(const std::vector<std::string>& w, size_t from)
{
    std::map<std::string, std::string> a;
    for (size_t i = from; i < w.size(); ++i) {
        size_t eq = w[i].find('=');
        a[w[i].substr(0, eq)] = eq == std::string::npos ? "" : w[i].substr(eq + 1);
    }
    return a;
}

std::string take(std::map<std::string, std::string>& a, const std::string& key, const std::string& fallback)
{
    auto it = a.find(key);
    if (it == a.end()) return fallback;
    std::string v = it->second;
    a.erase(it);
    return v;
}

const char* const kConditions[16] = {"ALW", "CHV1", "CHV2", "RFU", "ADM", "ADM5", "ADM6", "ADM7",
                                     "ADM8", "ADM9", "ADMA", "ADMB", "ADMC", "ADMD", "ADME", "NEV"};

uint8_t condition(const std::string& text)
{
    for (uint8_t i = 0; i < 16; ++i)
        if (text == kConditions[i]) return i;
    throw LineError{"bad access condition '" + text + "'"};
}

bool yesNo(const std::string& text)
{
    if (text == "yes") return true;
    if (text == "no") return false;
    throw LineError{"expected yes or no, got '" + text + "'"};
}

class Parser {
public:
    explicit Parser(CardImage& image) : image_(image) {}

    void line(const std::string& raw)
    {
        std::string text = raw.substr(0, raw.find('#'));
        std::vector<std::string> w = words(text);
        if (w.empty()) return;
        if (w[0] == "atr") return atr(text);
        if (w[0] == "chv1") return chv(w);
        if (w[0] == "ef") return ef(w);
        if (w[0] == "record") return record(w, text);
        if (w[0] == "data") return data(text);
        throw LineError{"unknown keyword '" + w[0] + "'"};
    }

private:
    void atr(const std::string& text)
    {
        std::vector<uint8_t> b = hexBytes(rest(text, 1));
        if (b.empty() || b.size() > 33) throw LineError{"an answer to reset has 1 to 33 bytes"};
        image_.atr = b;
    }

    void chv(const std::vector<std::string>& w)
    {
        auto a = attributes(w, 1);
        ChvState& c = image_.chv;
        c.pin = code(take(a, "pin", ChvState::text(c.pin)), 4, "pin");
        c.puk = code(take(a, "puk", ChvState::text(c.puk)), 8, "puk");
        c.enabled = yesNo(take(a, "enabled", c.enabled ? "yes" : "no"));
        c.attemptsLeft = static_cast<uint8_t>(number(take(a, "attempts", std::to_string(c.attemptsLeft)), 10, 15, "attempts"));
        c.unblockAttemptsLeft = static_cast<uint8_t>(
            number(take(a, "unblock-attempts", std::to_string(c.unblockAttemptsLeft)), 10, 15, "unblock-attempts"));
        unknown(a);
    }

    static ChvState::Block code(const std::string& text, size_t minDigits, const std::string& what)
    {
        bool digits = std::all_of(text.begin(), text.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
        if (!digits || text.size() < minDigits || text.size() > 8)
            throw LineError{what + " must be " + std::to_string(minDigits) + " to 8 digits"};
        return ChvState::block(text);
    }

    static void unknown(const std::map<std::string, std::string>& a)
    {
        if (!a.empty()) throw LineError{"unknown attribute '" + a.begin()->first + "'"};
    }

    void ef(const std::vector<std::string>& w)
    {
        if (w.size() < 3) throw LineError{"ef needs a file id and a structure"};
        const auto id = static_cast<uint16_t>(number(w[1], 16, 0xFFFF, "file id"));
        if (image_.find(id)) throw LineError{"file " + w[1] + " defined twice"};
        auto a = attributes(w, 3);
        const auto parent = static_cast<uint16_t>(number(take(a, "parent", "7F10"), 16, 0xFFFF, "parent"));
        ElementaryFile f = w[2] == "transparent" ? transparent(id, parent, a) : records(id, parent, w[2], a);
        f.readAccess = condition(take(a, "read", "CHV1"));
        f.updateAccess = condition(take(a, "update", "CHV1"));
        f.invalidated = a.erase("invalidated") > 0;
        unknown(a);
        image_.files.push_back(f);
        current_ = image_.files.size() - 1;
        dataEnd_ = 0;
    }

    static ElementaryFile transparent(uint16_t id, uint16_t parent, std::map<std::string, std::string>& a)
    {
        return ElementaryFile::transparent(id, parent, number(take(a, "size", ""), 10, 0xFFFF, "size"));
    }

    static ElementaryFile records(uint16_t id, uint16_t parent, const std::string& kind,
                                  std::map<std::string, std::string>& a)
    {
        if (kind != "linear" && kind != "cyclic") throw LineError{"unknown structure '" + kind + "'"};
        const auto length = static_cast<uint8_t>(number(take(a, "length", ""), 10, 255, "length"));
        const size_t count = number(take(a, "records", ""), 10, 254, "records");
        if (length == 0) throw LineError{"record length 0"};
        ElementaryFile f = ElementaryFile::records(id, parent, count, length);
        if (kind == "cyclic") f.structure = ElementaryFile::Structure::Cyclic;
        return f;
    }

    ElementaryFile& file(bool records)
    {
        if (current_ == kNone) throw LineError{"no ef before this line"};
        ElementaryFile& f = image_.files[current_];
        if (f.isRecordFile() != records)
            throw LineError{records ? "record line in a transparent file" : "data line in a record file"};
        return f;
    }

    void record(const std::vector<std::string>& w, const std::string& text)
    {
        ElementaryFile& f = file(true);
        if (w.size() < 2) throw LineError{"record needs a number"};
        const size_t n = number(w[1], 10, 0xFFFF, "record number");
        if (n == 0 || n > f.recordCount())
            throw LineError{"record " + w[1] + " outside 1.." + std::to_string(f.recordCount())};
        std::vector<uint8_t> b = hexBytes(rest(text, 2));
        if (b.size() > f.recordLength)
            throw LineError{"record " + w[1] + " has " + std::to_string(b.size()) + " bytes, more than " +
                            std::to_string(f.recordLength)};
        std::copy(b.begin(), b.end(), f.record(n));
    }

    void data(const std::string& text)
    {
        ElementaryFile& f = file(false);
        std::vector<uint8_t> b = hexBytes(rest(text, 1));
        if (dataEnd_ + b.size() > f.body.size()) throw LineError{"data past the file size"};
        std::copy(b.begin(), b.end(), f.body.begin() + static_cast<long>(dataEnd_));
        dataEnd_ += b.size();
    }

    static constexpr size_t kNone = static_cast<size_t>(-1);
    CardImage& image_;
    size_t current_ = kNone;
    size_t dataEnd_ = 0;
};

std::string hex4(uint16_t v)
{
    return Hex::format({static_cast<uint8_t>(v >> 8)}) + Hex::format({static_cast<uint8_t>(v)});
}

bool allFf(const uint8_t* p, size_t n)
{
    return std::all_of(p, p + n, [](uint8_t b) { return b == 0xFF; });
}

void formatFile(std::ostringstream& out, const ElementaryFile& f)
{
    out << "\nef " << hex4(f.id) << ' ';
    if (f.isRecordFile())
        out << (f.structure == ElementaryFile::Structure::Cyclic ? "cyclic" : "linear") << " parent=" << hex4(f.parent)
            << " records=" << f.recordCount() << " length=" << int(f.recordLength);
    else
        out << "transparent parent=" << hex4(f.parent) << " size=" << f.body.size();
    out << " read=" << kConditions[f.readAccess & 0x0F] << " update=" << kConditions[f.updateAccess & 0x0F]
        << (f.invalidated ? " invalidated" : "") << '\n';
    if (!f.isRecordFile()) {
        if (!allFf(f.body.data(), f.body.size())) out << "data " << Hex::format(f.body) << '\n';
        return;
    }
    for (size_t n = 1; n <= f.recordCount(); ++n) {
        if (allFf(f.record(n), f.recordLength)) continue;
        out << "record " << n << ' ' << Hex::format(std::vector<uint8_t>(f.record(n), f.record(n) + f.recordLength))
            << '\n';
    }
}

}  // namespace

bool CardImageFile::parse(const std::string& text, const std::string& source, CardImage& image, std::string& error)
{
    CardImage parsed;
    parsed.files.clear();
    Parser parser(parsed);
    std::istringstream in(text);
    size_t lineNo = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        try {
            parser.line(line);
        } catch (const LineError& e) {
            error = source + ":" + std::to_string(lineNo) + ": " + e.message;
            return false;
        }
    }
    image = std::move(parsed);
    return true;
}

bool CardImageFile::load(const std::string& path, CardImage& image, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot be opened";
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return parse(text.str(), path, image, error);
}

std::string CardImageFile::format(const CardImage& image)
{
    std::ostringstream out;
    const ChvState& c = image.chv;
    out << "# Quillon virtual SIM card image (format: vsim/CARD_IMAGE_FORMAT.md)\n"
        << "atr " << Hex::format(image.atr) << '\n'
        << "chv1 pin=" << ChvState::text(c.pin) << " enabled=" << (c.enabled ? "yes" : "no")
        << " attempts=" << int(c.attemptsLeft) << " puk=" << ChvState::text(c.puk)
        << " unblock-attempts=" << int(c.unblockAttemptsLeft) << '\n';
    for (const ElementaryFile& f : image.files) formatFile(out, f);
    return out.str();
}

bool CardImageFile::save(const CardImage& image, const std::string& path, std::string& error)
{
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << format(image);
        if (!out.flush()) {
            error = temp + ": cannot be written";
            return false;
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        error = path + ": cannot be replaced";
        return false;
    }
    return true;
}
