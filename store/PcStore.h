#pragma once
#include "shell/Prompter.h"
#include "store/StoreKind.h"
#include "store/WorkingFiles.h"

#include <functional>
#include <string>

class CatalogList;
class NameIndex;

// The PC files as the window's commands use them: start-up preparation, loading, writing, and
// the Open / Save / Save As / overwrite-check logic. Questions and messages go through the
// Prompter; file names come from the caller's dialogs. The catalog lists, the name index, the
// paths and the PC-changed flag belong to the window and are bound by reference.
class PcStore {
public:
    struct Binding {
        CatalogList& phones;
        CatalogList& messages;
        NameIndex& pcNames;
        std::string& phonePath;
        std::string& messagePath;
        bool& pcChanged;
    };
    // Localised text number n (Hint<n>).
    using Hints = std::function<std::string(int)>;
    using Pump = std::function<void()>;

    // `dataDir` holds the PC files and the persistent working files, `tempDir` the temporary
    // copies (both with a trailing "/").
    PcStore(Binding state, std::string dataDir, std::string tempDir, Hints hints);

    void setDefaultCatalogName(std::string name) { defaultName_ = std::move(name); }
    const std::string& defaultCatalogName() const { return defaultName_; }
    // Caption of the error box of a failed write (the application title).
    void setErrorCaption(std::string caption) { errorCaption_ = std::move(caption); }
    void setPump(Pump pump) { pump_ = std::move(pump); }
    const WorkingFiles& workingFiles() const { return working_; }

    std::string defaultPath(StoreKind kind) const;

    // Start-up: restores a missing file from its "~" copy, creates a missing one empty (a
    // warning when that fails), then reads the name index and loads both files.
    void prepare();
    // Loads a file into its list and makes it the current path; false (nothing changed) when
    // the file is missing or unreadable.
    bool load(StoreKind kind, const std::string& path);
    bool readNameIndex(const std::string& path);
    // Writes the list of `kind` to `path` and commits its working file; on failure shows the
    // write error and returns false (the file keeps its old content).
    bool write(StoreKind kind, const std::string& path);

    // The save question of Open and of closing: Hint45, Hint77, both paths.
    Prompter::Answer askToSave();
    // Open, before its dialog: asks while the PC-changed flag is set and on Yes writes both
    // files. False when a write failed (the command ends).
    bool beforeOpen();
    // Open, with the chosen file: loads it in the mode's list and refreshes the working files.
    bool open(StoreKind mode, const std::string& path);
    // Save: writes both files, loads them again, clears the flag and (unless `quiet`) shows the
    // saved message. False when a write failed (nothing after it ran).
    bool save(bool quiet = false);
    // Save As with the chosen file: it becomes the mode's path, then Save.
    bool saveAs(StoreKind mode, const std::string& path, bool quiet = false);
    // The save dialog may close: true unless the file exists and the user answers No.
    bool confirmOverwrite(const std::string& path);
    // Filter of the open and save dialogs in the mode.
    std::string dialogFilter(StoreKind mode) const;

private:
    std::string pathsText() const;
    bool writeBoth();

    Binding s_;
    std::string dataDir_;
    Hints hints_;
    WorkingFiles working_;
    std::string defaultName_;
    std::string errorCaption_ = "Quillon";
    Pump pump_;
};
