#include "tools/peer/ProtocolReference.h"

#include "protocol/Codec.h"
#include "protocol/join_failed_reason.h"
#include "protocol/kick_reason.h"
#include "protocol/login_status.h"
#include "protocol/tmnt_register_failed_reason.h"

#include <algorithm>
#include <sstream>
#include <vector>

namespace {
std::string layout(const Codec::Record &r)
{
    std::string s;
    for (const Codec::Field &f : r.fields) {
        if (!s.empty())
            s += ", ";
        s += "`" + f.type->text + "` " + f.name;
    }
    return s.empty() ? std::string("(no fields)") : s;
}

// User texts span lines in a few cases; a table cell cannot.
std::string cell(const char *text)
{
    std::string s = text ? text : "";
    std::replace(s.begin(), s.end(), '\n', ' ');
    return s;
}

template <size_t N>
void reasons(std::ostringstream &out, const char *heading, const ReasonText (&table)[N], bool titled = false)
{
    out << "\n### " << heading << "\n\n| value | meaning | text shown |\n|---|---|---|\n";
    for (const ReasonText &r : table) {
        std::string shown = r.text ? cell(r.text) : std::string("(nothing)");
        if (titled && r.title)
            shown = std::string("\"") + r.title + "\": " + shown;
        if (r.tournamentText)
            shown += " On a tournament table: " + cell(r.tournamentText);
        out << "| " << r.value << " | " << r.meaning << " | " << shown << " |\n";
    }
}
} // namespace

std::string ProtocolReference::markdown()
{
    const Codec &codec = Codec::instance();
    std::ostringstream out;
    static const char *const dirs[] = {"C→S", "S→C", "both"};
    static const char *const spaces[] = {"Frame classes (first body byte)",
                                         "Tournament envelope inner classes (class 104)",
                                         "Service inner classes (classes 140/141)", "Value tags of `any` fields"};
    out << "### Records\n\n| record | fields |\n|---|---|\n";
    for (const auto &r : codec.records())
        out << "| " << r->name << " | " << layout(*r) << " |\n";

    std::vector<const Codec::Message *> sorted;
    for (const auto &m : codec.messages())
        sorted.push_back(m.get());
    std::sort(sorted.begin(), sorted.end(), [](const Codec::Message *a, const Codec::Message *b) {
        return a->space != b->space ? a->space < b->space : a->id < b->id;
    });
    for (int s = Codec::Frame; s <= Codec::Value; ++s) {
        const bool service = s == Codec::Service;
        out << "\n### " << spaces[s] << "\n\n| id | name | dir |" << (service ? " service |" : "")
            << " fields | note |\n|---|---|---|" << (service ? "---|" : "") << "---|---|\n";
        for (const Codec::Message *m : sorted) {
            if (m->space != s)
                continue;
            out << "| " << int(m->id) << " | " << m->name << " | " << dirs[m->direction] << " | ";
            if (service)
                out << (m->service ? std::to_string(m->service) : std::string("any")) << " | ";
            out << layout(m->body) << " | " << m->note << " |\n";
        }
    }

    reasons(out, "Login status (login_failed)", login_status::texts);
    out << "| other | unknown | " << login_status::unknownText << " |\n";
    reasons(out, "Join failure reasons (join_failed)", join_failed_reason::texts);
    reasons(out, "Kick reasons (kick_player)", kick_reason::texts, true);
    reasons(out,
            "Tournament registration failure reasons (tournament_register_failed, "
            "tournament_unregister_failed)",
            tmnt_register_failed_reason::texts);
    return out.str();
}
