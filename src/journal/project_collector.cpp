#include "journal/project_collector.h"

#include "platform/code_page.h"

namespace tallimer {

void ProjectCollector::Add(std::string_view project) {
    const char16_t* fold = platform::CodePageFoldTable();
    key_.resize(qsizetype(project.size()));
    QChar* out = key_.data();
    for (const char byte : project) {
        *out++ = QChar(fold[static_cast<unsigned char>(byte)]);
    }
    if (!folded_.contains(key_)) {
        folded_.insert(key_);
        names_.append(platform::FromCodePage(project));
    }
}

}  // namespace tallimer
