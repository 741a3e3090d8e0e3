#pragma once
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

// INI file held in memory: sections in square brackets, key=value lines. Section and key names
// are compared without regard to case (double-byte characters are left as they are), file order
// is kept, values are raw bytes (everything after the first "="), look-ups are hashed. A change
// marks the file dirty; the destructor rewrites the whole file (CR LF lines) when it is dirty.
class IniFile {
public:
    IniFile() = default;
    // Loads `path` when it exists; a missing file is an empty INI file with that name.
    explicit IniFile(std::string path);
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;
    IniFile(IniFile&&) noexcept;
    IniFile& operator=(IniFile&&) noexcept;

    const std::string& path() const { return path_; }
    // False when the file existed but could not be read.
    bool loadedOk() const { return loadedOk_; }
    // Parses text (LF or CR LF, with or without a final line end) and replaces the contents.
    void parse(std::string_view text);
    // The whole file as text with CR LF line ends.
    std::string text() const;

    bool sectionExists(std::string_view section) const;
    bool valueExists(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key, std::string_view def = {}) const;
    // Integer in decimal, or hexadecimal with "0x" or "$" in front; `def` when absent or not a number.
    long long readInteger(std::string_view section, std::string_view key, long long def) const;
    bool readBool(std::string_view section, std::string_view key, bool def) const;
    // Section names in file order.
    std::vector<std::string> sections() const;
    // Key names of a section in file order.
    std::vector<std::string> keys(std::string_view section) const;
    // key=value pairs of a section in file order.
    std::vector<std::pair<std::string, std::string>> values(std::string_view section) const;

    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, long long value);
    void writeBool(std::string_view section, std::string_view key, bool value);
    // Adds an empty section at the end unless it exists.
    void addSection(std::string_view section);
    void eraseSection(std::string_view section);
    void deleteKey(std::string_view section, std::string_view key);
    void clear();

    bool dirty() const { return dirty_; }
    // Writes the file now when it changed (or always with `force`); false on a write error.
    bool save(bool force = false);
    // Writes the contents to `target` (new file, flushed to disk); false on any error.
    bool writeTo(const std::string& target) const;
    // The destructor does not write; for files the caller saves explicitly.
    void setAutoSave(bool on) { autoSave_ = on; }
    // text() ends every section with one empty line (unless it already ends with one).
    void setSectionSpacing(bool on) { sectionSpacing_ = on; }

    // Lower-case form used for comparing names (ASCII letters only, trail bytes kept).
    static std::string fold(std::string_view name);
    // What a section or key name is found by: without surrounding blanks, folded. Two names
    // with the same key name the same section (or key).
    static std::string nameKey(std::string_view name);

private:
    struct Entry {
        std::string key;    // empty for a line that is not key=value (comment, blank, stray text)
        std::string value;  // the value, or the whole raw line when key is empty
        bool isKey = false;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
        mutable std::unordered_map<std::string, size_t> index;  // key name -> first entry
        mutable bool indexed = true;                            // index matches entries
        bool removed = false;
    };

    Section* find(std::string_view section);
    const Section* find(std::string_view section) const;
    Section& findOrAdd(std::string_view section);
    static void reindex(const Section& s);
    static const std::unordered_map<std::string, size_t>& keyIndex(const Section& s);

    std::string path_;
    std::vector<Entry> preamble_;  // lines before the first section
    std::vector<Section> sections_;
    std::unordered_map<std::string, size_t> sectionIndex_;
    bool dirty_ = false;
    bool loadedOk_ = true;
    bool autoSave_ = true;
    bool sectionSpacing_ = false;
};
