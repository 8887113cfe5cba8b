#pragma once

#include "tools/catalogue/catalogue_source.h"
#include "tools/catalogue/file_set_io.h"

#include <string>
#include <string_view>
#include <vector>

namespace ixo::catalogue_tool {

// Writing a catalogue back as its UTF-8 text source, records in the order given. Whatever the text form
// cannot carry unchanged (a field with leading blanks, a "|" inside a field, a script line that looks like
// "@record ...", line breaks inside a field) is written as well as it can be, with a warning naming the
// file and record: a catalogue made by "build" never triggers one.

std::string FormatFamilies(const std::vector<FamilyRecord>& families, std::vector<std::string>& warnings);
std::string FormatArticles(const std::vector<ArticleRecord>& articles, std::vector<std::string>& warnings);
std::string FormatElementTable(const ElementTable& table, std::vector<std::string>& warnings);

// families.txt, articles.txt and the ten "<Name>.txt" files.
std::vector<OutputFile> FormatTextSource(const CatalogueSource& source, std::vector<std::string>& warnings);

} // namespace ixo::catalogue_tool
