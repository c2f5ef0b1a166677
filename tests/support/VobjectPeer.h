#pragma once

#include <filesystem>
#include <string>

#include "support/JsonValue.h"

namespace orvane::test {

// Python's vobject (Debian's python3-vobject) writing and reading vCards,
// by tests/support/vcard_peer.py. Both throw std::runtime_error when
// Python fails.

// Writes the cards that the JSON text describes: a list of cards, each a
// list of [name, [types], value], the value of N, ADR and ORG a list of
// components.
void WriteCardsWithVobject(const std::string& json, const std::filesystem::path& out);

// Every card of the file as vobject reads it: a list of objects mapping
// each property name to a list of {"types": [...], "value": ...}.
JsonValue ReadCardsWithVobject(const std::filesystem::path& file);

}  // namespace orvane::test
