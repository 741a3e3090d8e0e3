#pragma once
#include <ostream>
#include <string>
#include <vector>

// quillon-card check-store FILE: loads a PC phone file (or a message file, by its ".LSM"
// extension) with the program's loader and prints, in UTF-8, "catalogs=N", "entries=N" and one
// "catalog=NAME entries=N" line per catalog in file order. Returns 0, 1 when the file cannot be
// read (with a message on `err`), 2 for wrong arguments.
int runCheckStore(const std::string& file, std::ostream& out, std::ostream& err);
int runCheckStore(const std::string& file);
// The command's words after "check-store".
int runCheckStore(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
