"""Reads a CabWiz .inf for tools/cab: its sections, each line a KEY = VALUE
or a list of comma-separated fields, with its line number and with the
%strings% of [CEStrings] put in. Whatever it does not understand is an
InfError naming the line."""
import re

UTF8_MARK = b"\xef\xbb\xbf"
# The sections every package has; the file and shortcut lists that
# [DefaultInstall] names come on top of them.
FIXED_SECTIONS = ("Version", "CEStrings", "CEDevice", "DefaultInstall", "DestinationDirs",
                  "SourceDisksNames", "SourceDisksFiles")
LISTING_KEYS = ("copyfiles", "ceshortcuts")
# The standard folders a path may begin with: %CE1% to %CE17%.
CE_FOLDERS = range(1, 18)
TOKEN = re.compile(r"%([^%]*)%")


class InfError(Exception):
    def __init__(self, line, text):
        super().__init__(text)
        self.line, self.text = line, text


class Section:
    def __init__(self, name, line):
        self.name, self.line, self.entries = name, line, []  # entries: (line, key or None, fields)


def split_line(line, number):
    """KEY (None if there is no '=') and the fields of one line, quotes
    taken off ("" in quotes is one "), the comment after ';' dropped."""
    pieces, key, piece, quoted = [], None, "", False
    for ch in line:
        if ch == '"':
            quoted = not quoted
        elif not quoted and ch == ";":
            break
        elif not quoted and ch == ",":
            pieces.append(piece)
            piece = ""
            continue
        elif not quoted and ch == "=" and key is None and not pieces:
            key, piece = piece, ""
            continue
        piece += ch
    if quoted:
        raise InfError(number, "a quote is not closed")
    pieces.append(piece)
    fields = [unquote(p.strip()) for p in pieces]
    return (None if key is None else unquote(key.strip())), ([] if fields == [""] and key is None else fields)


def unquote(text):
    if len(text) >= 2 and text[0] == text[-1] == '"':
        return text[1:-1].replace('""', '"')
    return text


class Inf:
    def __init__(self, path):
        try:
            with open(path, "rb") as f:
                data = f.read()
        except OSError as e:
            raise InfError(0, f"cannot be read: {e.strerror}")
        if data.startswith(UTF8_MARK):
            data = data[len(UTF8_MARK):]
        self.sections, current = {}, None
        for number, raw in enumerate(data.split(b"\n"), 1):
            try:
                text = raw.decode("utf-8")
            except UnicodeDecodeError:
                raise InfError(number, "not UTF-8 text")
            key, fields = split_line(text, number)
            header = re.fullmatch(r"\[([^\]]+)\]", fields[0]) if key is None and len(fields) == 1 else None
            if header:
                name = header.group(1).strip()
                if name.lower() in self.sections:
                    raise InfError(number, f"[{name}] again (first at line {self.sections[name.lower()].line})")
                current = self.sections[name.lower()] = Section(name, number)
            elif fields:
                if current is None:
                    raise InfError(number, "a line before the first [section]")
                current.entries.append((number, key, fields))
        # [CEStrings] may use each other's values, one level deep.
        self.strings = {k.lower(): (line, f[0])
                        for k, (line, f) in self.keys("CEStrings", ("AppName", "InstallDir"), True).items()}
        self.strings = {k: (line, self.expand(text, line)) for k, (line, text) in self.strings.items()}
        known = {s.lower() for s in FIXED_SECTIONS}
        for line, key, fields in self.section("DefaultInstall", 0).entries:
            if key and key.lower() in LISTING_KEYS:
                known.update(f.lower() for f in fields)
        for section in self.sections.values():
            if section.name.lower() not in known:
                raise InfError(section.line, f"unknown section [{section.name}]")
        for section in self.sections.values():
            section.entries = [(line, key, [self.expand(f, line) for f in fields])
                               for line, key, fields in section.entries]

    def expand(self, text, line):
        """TEXT with %AppName% and %InstallDir% put in and %% made %; a
        %CEn% stays for the path it begins."""
        def one(match):
            name = match.group(1)
            if not name:
                return "%%"
            folder = re.fullmatch(r"CE(\d+)", name, re.I)
            if folder:
                if int(folder.group(1)) not in CE_FOLDERS:
                    raise InfError(line, f"unknown folder %{name}% (the standard folders are %CE1% to %CE17%)")
                return f"%CE{int(folder.group(1))}%"
            if name.lower() not in self.strings:
                raise InfError(line, f"unknown string %{name}%")
            return self.strings[name.lower()][1]
        return TOKEN.sub(one, text).replace("%%", "%")

    def section(self, name, line):
        if name.lower() not in self.sections:
            raise InfError(line, f"no section [{name}]")
        return self.sections[name.lower()]

    def keys(self, name, allowed, required=False):
        """{KEY: (line, fields)} of a KEY = VALUE section; every allowed key
        must be there if REQUIRED, and so must the section."""
        if name.lower() not in self.sections and not required:
            return {}
        section, found = self.section(name, 0), {}
        for line, key, fields in section.entries:
            known = next((k for k in allowed if key and k.lower() == key.lower()), None)
            if known is None:
                raise InfError(line, f"unknown key {key} in [{section.name}]" if key
                               else f"[{section.name}] wants KEY = VALUE lines")
            found[known] = (line, fields)
        for key in allowed if required else ():
            if key not in found:
                raise InfError(section.line, f"[{section.name}] has no {key}")
        return found

    def path(self, text, line):
        """The folders of a device path; only the first may be a %CEn%."""
        pieces = text.split("\\")
        if not all(pieces) or any(TOKEN.search(p) for p in pieces[1:]):
            raise InfError(line, f"{text} is not a path of folder names (a %CEn% only begins one)")
        return pieces

    def source_files(self):
        """{name in lower case: (line, name)} of [SourceDisksFiles], each on
        a disk of [SourceDisksNames]."""
        disks = set()
        for line, key, fields in self.section("SourceDisksNames", 0).entries:
            if key is None or not key.isdigit():
                raise InfError(line, "[SourceDisksNames] wants DISK = ,LABEL,,PATH")
            disks.add(int(key))
        files = {}
        for line, key, fields in self.section("SourceDisksFiles", 0).entries:
            if key is None or len(fields) > 1 or not fields[0].isdigit():
                raise InfError(line, "[SourceDisksFiles] wants FILE = DISK (all files in one folder)")
            if int(fields[0]) not in disks:
                raise InfError(line, f"disk {fields[0]} is not in [SourceDisksNames]")
            files[key.lower()] = (line, key)
        return files

    def destination_dirs(self):
        """{section in lower case: (line, path's folders)} of [DestinationDirs]."""
        dirs = {}
        for line, key, fields in self.section("DestinationDirs", 0).entries:
            if key is None or len(fields) != 2 or fields[0] != "0":
                raise InfError(line, "[DestinationDirs] wants SECTION = 0,PATH")
            dirs[key.lower()] = (line, self.path(fields[1], line))
        return dirs
