#include "platform/headless/PrintRecorder.h"

#include <fstream>

namespace kiv::ui::headless {
namespace {

std::string_view trimRight(std::string_view s) {
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

} // namespace

const PrintedText* PrintedPage::find(std::string_view cp932) const {
    for (const PrintedText& t : texts)
        if (trimRight(t.text) == cp932)
            return &t;
    return nullptr;
}

const PrintedText* PrintedPage::findContaining(std::string_view cp932) const {
    for (const PrintedText& t : texts)
        if (t.text.find(cp932) != std::string::npos)
            return &t;
    return nullptr;
}

const PrintedText* PrintedPage::at(int x, int y) const {
    for (const PrintedText& t : texts)
        if (t.x == x && t.y == y)
            return &t;
    return nullptr;
}

bool RecordingJob::startDoc(const print::JobInfo& info) {
    m_Job.info = info;
    if (m_Job.settings.toFile()) {
        m_File = std::make_unique<print::FileTarget>(m_Job.settings.file);
        if (!m_File->open())
            return false;
    }
    m_Job.started = true;
    return true;
}

print::PrinterDc& RecordingJob::startPage() {
    m_Job.pages.emplace_back();
    m_Dc = std::make_unique<RecordingPrinterDc>(m_Job.device, m_Job.pages.back());
    return *m_Dc;
}

bool RecordingJob::endDoc() {
    m_Dc.reset();
    if (m_File) {
        bool written = false;
        {
            std::ofstream out(m_File->tempPath(), std::ios::binary | std::ios::trunc);
            out << "pages " << m_Job.pages.size() << "\n";
            for (std::size_t p = 0; p < m_Job.pages.size(); ++p)
                for (const PrintedText& t : m_Job.pages[p].texts)
                    out << p + 1 << ' ' << t.x << ' ' << t.y << ' ' << t.text << '\n';
            written = static_cast<bool>(out.flush());
        }
        if (!m_File->commit(written))
            return false;
    }
    m_Job.ended = true;
    return true;
}

} // namespace kiv::ui::headless
