#include "CheckDiagnostics.h"

#include "platform/FatalError.h"

#include <algorithm>
#include <set>
#include <tuple>
#include <utility>

namespace velmora::snap {

void CheckDiagnostics::warn(SourcePosition at, std::string text) {
    found_.push_back({at, false, std::move(text)});
}

void CheckDiagnostics::fail(SourcePosition at, std::string text) {
    found_.push_back({at, true, std::move(text)});
}

void CheckDiagnostics::print(const WorldReader& reader, std::ostream& out) const {
    std::vector<const Diagnostic*> sorted;
    sorted.reserve(found_.size());
    for (const Diagnostic& diagnostic : found_) {
        sorted.push_back(&diagnostic);
    }
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Diagnostic* a, const Diagnostic* b) { return a->at < b->at; });
    std::set<std::tuple<SourcePosition, bool, std::string>> shown;
    for (const Diagnostic* d : sorted) {
        if (!shown.insert({d->at, d->isError, d->text}).second) {
            continue;
        }
        const std::string where = reader.describe(d->at);
        out << (d->at.line == 0 ? where.substr(0, where.rfind(':')) : where)
            << (d->isError ? ": error: " : ": warning: ") << d->text << '\n';
    }
}

int CheckDiagnostics::exitCode() const {
    if (std::any_of(found_.begin(), found_.end(), [](const Diagnostic& d) { return d.isError; })) {
        return platform::kFatalExitCode;
    }
    return found_.empty() ? 0 : 1;
}

} // namespace velmora::snap
