#include "skin/Diagnostics.h"

#include <algorithm>

namespace windlecroft::skin {

std::string Location::describe() const
{
    std::string text;
    if (chunk > 0) {
        text = "chunk " + std::to_string(chunk);
        if (!chunkLabel.empty())
            text += " (" + chunkLabel + ")";
        if (record > 0) {
            text += ", record " + std::to_string(record);
            if (!recordLabel.empty())
                text += " (" + recordLabel + ")";
        }
    } else if (entry > 0) {
        text = "archive entry " + std::to_string(entry) + " (\"" + entryName + "\")";
    }
    return text;
}

void Diagnostics::add(Severity severity, Location where, std::string message)
{
    list_.push_back({severity, std::move(where), std::move(message)});
}

int Diagnostics::errorCount() const
{
    return static_cast<int>(
        std::count_if(list_.begin(), list_.end(), [](const Diagnostic& d) { return d.severity == Severity::Error; }));
}

void Diagnostics::print(std::ostream& out, const std::string& fileName, std::string_view prefix) const
{
    for (const Diagnostic& d : list_) {
        out << prefix << fileName;
        if (d.where.line > 0)
            out << ':' << d.where.line;
        out << ": ";
        const std::string where = d.where.describe();
        if (!where.empty())
            out << where << ": ";
        out << (d.severity == Severity::Error ? "error: " : "warning: ");
        // A finding is one line, whatever a name it quotes holds.
        for (const char c : d.message)
            out << (c == '\n' ? "\\n" : c == '\r' ? "\\r" : std::string(1, c));
        out << '\n';
    }
}

} // namespace windlecroft::skin
