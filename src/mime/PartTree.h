#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>

#include "mime/ZelMimePart.h"
#include "platform/Clock.h"

namespace orvane {

// The body part tree of a message: a root part, or none.
using TPartRoot = std::unique_ptr<TZelMimePart>;

// Adds a part while composing: it becomes the root when there is none and
// joins a multipart/mixed root; any other root is wrapped, together with the
// new part, in a new multipart/mixed (old root first). Returns the part.
TZelMimePart* AddPart(TPartRoot& root, std::unique_ptr<TZelMimePart> part, const Clock& clock);

// Visits the root and then, for a multipart, every part below it depth-first
// (a multipart before its children) until visit returns true; returns the
// part it stopped at.
TZelMimePart* FindPart(TZelMimePart* root, const std::function<bool(TZelMimePart&)>& visit);

// The root when it is a text part holding its text, else the first such
// part depth-first.
TZelTextPart* MainTextPart(TZelMimePart* root);
TZelHtmlPart* FirstHtmlPart(TZelMimePart* root);
// The multipart whose boundary equals the given one exactly.
TZelMultiPart* FindMultiPart(TZelMimePart* root, std::string_view boundary);
// The first message part whose FileName equals the name, ignoring the case
// of ASCII letters.
TZelMessagePart* FindMessagePart(TZelMimePart* root, const std::filesystem::path& fileName);

// The parts of the tree: one for a root that is not a multipart; for a
// multipart root its children, each nested multipart counting as one plus
// its own parts.
size_t PartCount(TZelMimePart* root);
// The part at a position in that depth-first order; throws std::out_of_range
// past the last part.
TZelMimePart& PartAt(TZelMimePart* root, size_t index);

// Removes a part from the tree: from the part list of its multipart, or, for
// the root, by freeing the whole tree.
void RemovePart(TPartRoot& root, TZelMimePart* part);

}  // namespace orvane
