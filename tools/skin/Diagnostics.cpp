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

void Diagnostics::print(std::ostream& out, const std::string& fileName) const
{
    for (const Diagnostic& d : list_) {
        out << fileName;
        if (d.where.line > 0)
            out << ':' << d.where.line;
        out << ": ";
        const std::string where = d.where.describe();
        if (!where.empty())
            out << where << ": ";
        out << (d.severity == Severity::Error ? "error: " : "warning: ") << d.message << '\n';
    }
}

} // namespace windlecroft::skin
