#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace windlecroft::skin {

enum class Severity { Warning, Error };

/**
 * Where a finding lies: a line of the source, a chunk (numbered from 1 in file order) with its
 * label such as `page "noc"`, a record of that chunk (numbered from 1) with its kind, or an
 * archive entry (numbered from 1) with its name. Parts that are 0 or empty are left out.
 */
struct Location {
    int line = 0;
    int chunk = 0;
    std::string chunkLabel;
    int record = 0;
    std::string recordLabel;
    int entry = 0;
    std::string entryName;

    /** "chunk 5 (page "noc"), record 3 (button)", "archive entry 2 ("Data\noc.jpg")", or "". */
    std::string describe() const;
};

struct Diagnostic {
    Severity severity;
    Location where;
    std::string message;
};

/** The findings of a compile or a check, in the order they were made. */
class Diagnostics {
public:
    void add(Severity severity, Location where, std::string message);
    void error(Location where, std::string message) { add(Severity::Error, std::move(where), std::move(message)); }
    void warning(Location where, std::string message) { add(Severity::Warning, std::move(where), std::move(message)); }

    const std::vector<Diagnostic>& all() const { return list_; }
    int errorCount() const;
    bool hasErrors() const { return errorCount() > 0; }

    /**
     * One line per finding: "FILE:LINE: chunk 5 (page "noc"), record 3 (button): error: ...",
     * each after prefix (the program's name, on its error stream).
     */
    void print(std::ostream& out, const std::string& fileName, std::string_view prefix = {}) const;

private:
    std::vector<Diagnostic> list_;
};

} // namespace windlecroft::skin
