#include "install_script.h"

#include "ce_path.h"
#include "phone_constants.h"
#include "shortcut_file.h"
#include "wceload_constants.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <map>

namespace wceload {

namespace {

// The fixed header: all numbers little-endian.
constexpr size_t kHeaderBytes = 100;
constexpr uint32_t kSignature = 0x4543534D;  // "MSCE"
constexpr size_t kLengthAt = 8;
constexpr size_t kCountsAt = 48;   // six 16-bit counts, one a section
constexpr size_t kOffsetsAt = 60;  // six 32-bit offsets
constexpr size_t kAppNameAt = 84;  // 16-bit offset and length (with its NUL) each
constexpr size_t kProviderAt = 88;
constexpr size_t kUnsupportedAt = 92;

enum Section { kStrings, kDirs, kFiles, kRegHives, kRegKeys, kLinks, kSectionCount };
const wchar_t *const kSectionNames[kSectionCount] = {L"STRINGS",  L"DIRS",    L"FILES",
                                                     L"REGHIVES", L"REGKEYS", L"LINKS"};
// Bytes of an entry before its variable part, whose length is the last 16 bits.
const size_t kFixedBytes[kSectionCount] = {4, 4, 12, 8, 12, 12};

constexpr int kLinkToFolder = 0;
constexpr int kLinkToFile = 1;

std::wstring Number(size_t n) {
    return std::to_wstring(n);
}

bool SameText(const std::wstring &a, const std::wstring &b) {
    return _wcsicmp(a.c_str(), b.c_str()) == 0;
}

// A file or folder name a path may be made of: nothing that leaves the folder
// it is in or names another drive.
bool PlainName(const std::wstring &name) {
    if (name.empty() || name == L"." || name == L"..") return false;
    for (wchar_t c : name)
        if (c < L' ' || wcschr(L"\\/:*?\"<>|", c)) return false;
    return true;
}

// "%CEn%" names standard folder n.
int StandardFolderNumber(const std::wstring &part) {
    if (part.size() < 5 || part.size() > 6 || part.back() != L'%' ||
        _wcsnicmp(part.c_str(), L"%CE", 3) != 0)
        return 0;
    int n = 0;
    for (size_t i = 3; i + 1 < part.size(); ++i) {
        if (part[i] < L'0' || part[i] > L'9') return 0;
        n = n * 10 + (part[i] - L'0');
    }
    return n;
}

// One part of the file: where it starts and ends, for the check that no two overlap.
struct Span {
    size_t begin;
    size_t end;
    std::wstring what;
};

class ScriptReader {
public:
    ScriptReader(const std::vector<unsigned char> &bytes, InstallScript *script,
                 std::wstring *problem)
        : bytes_(bytes), script_(script), problem_(problem) {}

    bool Read() {
        return Header() && Name(kAppNameAt, L"APPNAME", &script_->appName) &&
               Name(kProviderAt, L"PROVIDER", &script_->provider) && Unsupported() &&
               Walk(kStrings, &ScriptReader::String) && Walk(kDirs, &ScriptReader::Dir) &&
               Walk(kFiles, &ScriptReader::File) && Walk(kRegHives, &ScriptReader::Hive) &&
               Walk(kRegKeys, &ScriptReader::Key) && Walk(kLinks, &ScriptReader::Link) &&
               NoOverlap();
    }

private:
    using EntryReader = bool (ScriptReader::*)(size_t at, size_t variable, size_t length,
                                               const std::wstring &entry);

    bool Fail(const std::wstring &text) {
        *problem_ = text;
        return false;
    }

    unsigned U16(size_t at) const { return bytes_[at] | bytes_[at + 1] << 8; }
    uint32_t U32(size_t at) const { return U16(at) | static_cast<uint32_t>(U16(at + 2)) << 16; }

    bool Header() {
        if (bytes_.size() < kHeaderBytes)
            return Fail(L"the control file is truncated: " + Number(bytes_.size()) +
                        L" bytes, shorter than its " + Number(kHeaderBytes) + L"-byte header");
        if (U32(0) != kSignature) return Fail(L"the control file does not start with MSCE");
        if (U32(kLengthAt) != bytes_.size())
            return Fail(L"the control file is truncated or damaged: its header gives " +
                        Number(U32(kLengthAt)) + L" bytes, it has " + Number(bytes_.size()));
        spans_.push_back({0, kHeaderBytes, L"the header"});
        return true;
    }

    // The bytes [at, at + length) lie in the file.
    bool Inside(size_t at, size_t length) const {
        return at <= bytes_.size() && length <= bytes_.size() - at;
    }

    // The NUL-terminated 8-bit text of length bytes (its NUL among them) at at.
    bool Text(size_t at, size_t length, const std::wstring &what, std::wstring *text) {
        if (length < 2 || bytes_[at + length - 1] != 0 ||
            std::find(&bytes_[at], &bytes_[at + length - 1], 0) != &bytes_[at + length - 1])
            return Fail(what + L" is no NUL-terminated text");
        const char *chars = reinterpret_cast<const char *>(&bytes_[at]);
        int n = MultiByteToWideChar(phone::kPhoneCodePage, MB_ERR_INVALID_CHARS, chars,
                                    static_cast<int>(length - 1), nullptr, 0);
        if (n <= 0) return Fail(what + L" is no Windows-1251 text");
        text->assign(static_cast<size_t>(n), L'\0');
        MultiByteToWideChar(phone::kPhoneCodePage, 0, chars, static_cast<int>(length - 1),
                            &(*text)[0], n);
        return true;
    }

    bool Name(size_t field, const wchar_t *what, std::wstring *name) {
        size_t at = U16(field), length = U16(field + 2);
        if (!Inside(at, length))
            return Fail(std::wstring(L"the ") + what + L" string (offset " + Number(at) + L", " +
                        Number(length) + L" bytes) lies outside the file");
        if (!Text(at, length, std::wstring(L"the ") + what + L" string", name)) return false;
        // The package's name is a registry key's name.
        if (name->find(L'\\') != std::wstring::npos)
            return Fail(std::wstring(L"the ") + what + L" string holds a backslash");
        spans_.push_back({at, at + length, std::wstring(L"the ") + what + L" string"});
        return true;
    }

    bool Unsupported() {
        size_t at = U16(kUnsupportedAt), length = U16(kUnsupportedAt + 2);
        if (length == 0) return true;
        if (!Inside(at, length)) return Fail(L"the UNSUPPORTED strings lie outside the file");
        spans_.push_back({at, at + length, L"the UNSUPPORTED strings"});
        return true;
    }

    // Reads every entry of the section with read, which gets the offset of
    // the entry, of its variable part and that part's length.
    bool Walk(Section section, EntryReader read) {
        const std::wstring name = kSectionNames[section];
        const size_t count = U16(kCountsAt + 2 * section);
        if (count == 0) return true;
        const size_t start = U32(kOffsetsAt + 4 * section);
        if (start < kHeaderBytes || start >= bytes_.size())
            return Fail(L"the " + name + L" section's offset " + Number(start) +
                        L" lies in the header or past the end of the file (" +
                        Number(bytes_.size()) + L" bytes)");
        size_t at = start;
        for (size_t i = 0; i < count; ++i) {
            const std::wstring entry = name + L" entry " + Number(i + 1) + L" of " + Number(count);
            const size_t fixed = kFixedBytes[section];
            if (!Inside(at, fixed)) return Fail(entry + L" runs past the end of the file");
            const size_t length = U16(at + fixed - 2);
            if (!Inside(at + fixed, length)) return Fail(entry + L" runs past the end of the file");
            if (!(this->*read)(at, at + fixed, length, entry)) return false;
            at += fixed + length;
        }
        spans_.push_back({start, at, L"the " + name + L" section"});
        return true;
    }

    bool String(size_t at, size_t variable, size_t length, const std::wstring &entry) {
        const unsigned id = U16(at);
        if (id == 0 || strings_.count(id))
            return Fail(entry + L" has string id " + Number(id) + L", which is 0 or taken");
        return Text(variable, length, entry, &strings_[id]);
    }

    // A list of string ids ending in 0.
    bool Ids(size_t at, size_t length, const std::wstring &entry,
             std::vector<std::wstring> *parts) {
        if (length < 2 || length % 2)
            return Fail(entry + L" has a list of " + Number(length) + L" bytes");
        for (size_t i = 0; i + 2 < length; i += 2) {
            const unsigned id = U16(at + i);
            auto found = strings_.find(id);
            if (found == strings_.end())
                return Fail(entry + L" names string " + Number(id) +
                            L", which the STRINGS section does not have");
            parts->push_back(found->second);
        }
        if (U16(at + length - 2) != 0) return Fail(entry + L" has a list that does not end in 0");
        return true;
    }

    // The parts joined by backslashes after base; each a plain name.
    bool Join(const std::wstring &base, const std::vector<std::wstring> &parts, size_t from,
              const std::wstring &entry, std::wstring *path) {
        *path = base;
        for (size_t i = from; i < parts.size(); ++i) {
            if (!PlainName(parts[i]))
                return Fail(entry + L" has the path part \"" + parts[i] + L"\", no plain name");
            *path += L"\\" + parts[i];
        }
        if (path->size() >= MAX_PATH) return Fail(entry + L" has a path too long");
        return true;
    }

    bool Dir(size_t at, size_t variable, size_t length, const std::wstring &entry) {
        const unsigned id = U16(at);
        if (id == 0 || dirs_.count(id))
            return Fail(entry + L" has directory id " + Number(id) + L", which is 0 or taken");
        std::vector<std::wstring> parts;
        if (!Ids(variable, length, entry, &parts)) return false;
        if (parts.empty()) return Fail(entry + L" names no directory");
        std::wstring base;
        size_t from = 0;
        if (int n = StandardFolderNumber(parts[0])) {
            const wchar_t *folder = phone::StandardFolder(n);
            if (!folder)
                return Fail(entry + L" starts in " + parts[0] + L", which this phone has not");
            base = folder;
            from = 1;
        }
        std::wstring path;
        if (!Join(base, parts, from, entry, &path)) return false;
        dirs_[id] = path;
        script_->folders.push_back(path);
        if (script_->installDir.empty()) script_->installDir = path;
        return true;
    }

    bool File(size_t at, size_t variable, size_t length, const std::wstring &entry) {
        const int number = static_cast<int>(U16(at));
        const unsigned dir = U16(at + 2);
        if (number < kFirstFileNumber || number > kLastFileNumber)
            return Fail(entry + L" names cabinet file " + Number(number) + L", no file to install");
        auto folder = dirs_.find(dir);
        if (folder == dirs_.end())
            return Fail(entry + L" names directory " + Number(dir) +
                        L", which the DIRS section does not have");
        ScriptFile file = {number, folder->second, L""};
        if (!Text(variable, length, entry, &file.name)) return false;
        if (!PlainName(file.name)) return Fail(entry + L" has the name \"" + file.name + L"\"");
        const std::wstring path = file.folder + L"\\" + file.name;
        if (path.size() >= MAX_PATH) return Fail(entry + L" has a path too long");
        for (const ScriptFile &other : script_->files) {
            if (other.number == number)
                return Fail(entry + L" installs cabinet file " + Number(number) + L" twice");
            if (SameText(other.folder + L"\\" + other.name, path))
                return Fail(entry + L" installs a second file as " + path);
        }
        script_->files.push_back(file);
        return true;
    }

    bool Hive(size_t, size_t, size_t, const std::wstring &) {
        return true;  // only the keys would use them
    }

    bool Key(size_t, size_t, size_t, const std::wstring &entry) {
        return Fail(entry +
                    L": the package writes to the registry, which this installer does not do");
    }

    bool Link(size_t at, size_t variable, size_t length, const std::wstring &entry) {
        const unsigned base = U16(at + 4), target = U16(at + 6), type = U16(at + 8);
        std::wstring folder = script_->installDir;
        if (base != 0) {
            const wchar_t *standard = phone::StandardFolder(static_cast<int>(base));
            if (!standard)
                return Fail(entry + L" goes into %CE" + Number(base) +
                            L"%, which this phone has not");
            folder = standard;
        }
        if (folder.empty())
            return Fail(entry + L" goes into the install directory, and there is none");
        ScriptLink link;
        std::vector<std::wstring> parts;
        if (!Ids(variable, length, entry, &parts) || !Join(folder, parts, 0, entry, &link.file))
            return false;
        if (parts.empty()) return Fail(entry + L" has no name");
        link.file += phone::kShortcutSuffix;
        if (type == kLinkToFile) {
            auto file = std::find_if(
                script_->files.begin(), script_->files.end(),
                [&](const ScriptFile &f) { return f.number == static_cast<int>(target); });
            if (file == script_->files.end())
                return Fail(entry + L" opens file " + Number(target) +
                            L", which the FILES section does not have");
            link.target = file->folder + L"\\" + file->name;
        } else if (type == kLinkToFolder) {
            if (target == 0 && !script_->installDir.empty()) {
                link.target = script_->installDir;
            } else if (dirs_.count(target)) {
                link.target = dirs_[target];
            } else {
                return Fail(entry + L" opens directory " + Number(target) +
                            L", which the DIRS section does not have");
            }
        } else {
            return Fail(entry + L" has the link type " + Number(type) +
                        L", neither file nor directory");
        }
        for (const ScriptLink &other : script_->links)
            if (SameText(other.file, link.file))
                return Fail(entry + L" makes " + link.file + L" twice");
        script_->links.push_back(link);
        return true;
    }

    // A count too large reads on into what follows; an offset off the mark
    // reads another part as this one.
    bool NoOverlap() {
        std::sort(spans_.begin(), spans_.end(),
                  [](const Span &a, const Span &b) { return a.begin < b.begin; });
        for (size_t i = 1; i < spans_.size(); ++i)
            if (spans_[i].begin < spans_[i - 1].end)
                return Fail(spans_[i - 1].what + L" overlaps " + spans_[i].what +
                            L": a count or an offset is wrong");
        return true;
    }

    const std::vector<unsigned char> &bytes_;
    InstallScript *script_;
    std::wstring *problem_;
    std::vector<Span> spans_;
    std::map<unsigned, std::wstring> strings_;
    std::map<unsigned, std::wstring> dirs_;
};

}  // namespace

bool ReadInstallScript(const std::vector<unsigned char> &bytes, InstallScript *script,
                       std::wstring *problem) {
    *script = InstallScript();
    return ScriptReader(bytes, script, problem).Read();
}

}  // namespace wceload
