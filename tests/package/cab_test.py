"""The install package as the phone's installer takes it: tools/cab packs
BUILD/bin's programs with setup/Quellor.inf (and the build's own
BUILD/Quellor.cab is checked too, when the build made one); cabextract lists
and takes out the cabinet's files, and a reader of the control file's
format, of this test's own, reads the .000 back. Then each broken .inf of a
table is refused with its line and exit 1, and the cabinet is left as it was.

    cab_test.py BUILD
"""
import os
import re
import struct
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
INF = os.path.join(ROOT, "setup", "Quellor.inf")
INSTALL_DIR = "%CE1%\\Quellor"
SHORTCUTS = [(4, "Quelwatch", "Quelwatch.exe"), (11, "Квеллор", "Quelset.exe")]  # %CE4%, %CE11%
failures = []


def expect(what, got, want):
    if got != want:
        failures.append(f"{what}: {got!r}, not {want!r}")


def read_control(data):
    """App name, provider, {file: (folder, number)}, [(base, link, file)] and
    the registry counts of a .000 file; anything out of the file raises."""
    def take(fmt, at):
        if at + struct.calcsize(fmt) > len(data):
            raise ValueError(f"reads past the end at {at}")
        return struct.unpack_from(fmt, data, at)

    def text(at, size):
        if size == 0 or take(f"{size}s", at)[0][-1] != 0:
            raise ValueError(f"no null-terminated text at {at}")
        return data[at:at + size - 1].decode("cp1251")

    head = take("<4s11I6H6I8H", 0)
    expect("signature", head[0], b"MSCE")
    expect("length in the header", head[2], len(data))
    counts, (strings_at, dirs_at, files_at, _, _, links_at) = head[12:18], head[18:24]
    strings, at = {}, strings_at
    for _ in range(counts[0]):
        n, size = take("<HH", at)
        strings[n], at = text(at + 4, size), at + 4 + size

    def path_of(at, size):  # string ids ended by 0, as a path
        ids = take(f"<{size // 2}H", at)
        if not ids or ids[-1] != 0:
            raise ValueError(f"a list of strings at {at} does not end with 0")
        return "\\".join(strings[i] for i in ids[:-1])

    dirs, at = {}, dirs_at
    for _ in range(counts[1]):
        n, size = take("<HH", at)
        dirs[n], at = path_of(at + 4, size), at + 4 + size
    files, numbers, at = {}, {}, files_at
    for _ in range(counts[2]):
        n, folder, _, _, size = take("<HHHIH", at)
        name = text(at + 12, size)
        files[name], numbers[n], at = (dirs[folder], n), name, at + 12 + size
    links, at = [], links_at
    for _ in range(counts[5]):
        _, _, base, target, kind, size = take("<6H", at)
        expect("link type (1: to a file)", kind, 1)
        links.append((base, path_of(at + 12, size), numbers[target]))
        at += 12 + size
    return text(head[24], head[25]), text(head[26], head[27]), files, links, counts[3:5]


def check_cabinet(cab, setup_dll, work):
    listing = subprocess.run(["cabextract", "-l", cab], capture_output=True, text=True).stdout
    names = re.findall(r"\| (\S+)$", listing, re.M)[1:]
    expect(f"{cab}: 8.3 names with numbers", [n for n in names if re.fullmatch(r"[\w~-]{1,8}\.\d{3}", n)], names)
    numbers = [int(n[-3:]) for n in names]
    expect(f"{cab}: control file, setup DLL, then the rest by number down", numbers,
           [0, 999] + sorted(numbers[2:], reverse=True))
    subprocess.run(["cabextract", "-q", "-d", work, cab], check=True)
    content = {int(n[-3:]): open(os.path.join(work, n), "rb").read() for n in names}
    try:
        app, provider, files, links, registry = read_control(content[0])
    except (ValueError, KeyError) as e:
        return failures.append(f"{cab}: the .000 cannot be read: {e!r}")
    expect(f"{cab}: app name", app, "Квеллор")
    expect(f"{cab}: provider", provider, "Quellor")
    expect(f"{cab}: files", {f: d for f, (d, _) in files.items()},
           {"Quelwatch.exe": INSTALL_DIR, "Quelset.exe": INSTALL_DIR})
    expect(f"{cab}: shortcuts", sorted(links), SHORTCUTS)
    expect(f"{cab}: registry hives and keys", registry, (0, 0))
    for name, (_, n) in files.items():
        expect(f"{cab}: {name} as .{n:03d}", content.get(n), open(os.path.join(bin_dir, name), "rb").read())
    expect(f"{cab}: setup DLL as .999", content.get(999), open(setup_dll, "rb").read())


# (what, [(line that starts so, its new text)], the line the message names, words it has)
BROKEN = [
    ("unknown section", [("[CEDevice]", "[Foo]")], "[Foo]", "unknown section [Foo]"),
    ("copied, not in [SourceDisksFiles]", [("Quelset.exe   = 1", "")], '"Quelset.exe"',
     "Quelset.exe is not in [SourceDisksFiles]"),
    ("not in the files folder", [("Quelset.exe   = 1", "Absent.exe = 1"),
                                 ('"Quelset.exe"', '"Quelset.exe","Absent.exe",,0x40000002')],
     '"Quelset.exe"', "Absent.exe is not there"),
    ("unknown %CEn%", [('"Квеллор"', '"Квеллор",0,Quelset.exe,%CE18%')], '"Квеллор"', "unknown folder %CE18%"),
    ("not in Windows-1251", [("AppName", 'AppName = "Κβελλορ"')], "AppName", "Windows-1251"),
    ("registry entries", [("CESetupDLL", "CESetupDLL = QuelSetup.dll\nAddReg = Reg")], "AddReg", "unknown key AddReg"),
]


def check_refusals(setup_dll, work):
    good = open(INF, encoding="utf-8-sig").read().split("\n")
    for what, changes, named, words in BROKEN:
        lines = list(good)
        for start, new in changes:
            lines = [new if line.startswith(start) else line for line in lines]
        lines = "\n".join(lines).split("\n")
        folder = tempfile.mkdtemp(dir=work)
        inf, cab = os.path.join(folder, "Quellor.inf"), os.path.join(folder, "Quellor.cab")
        with open(inf, "w", encoding="utf-8-sig") as f:
            f.write("\n".join(lines))
        with open(cab, "wb") as f:
            f.write(b"the cabinet before")
        run = subprocess.run([tool, "--inf", inf, "--files", bin_dir, "--setup-dll", setup_dll, "--out", cab],
                             capture_output=True, text=True)
        line = next(i for i, text in enumerate(lines, 1) if text.startswith(named))
        expect(f"{what}: exit code", run.returncode, 1)
        expect(f"{what}: message names line {line} and says {words!r}",
               f"Quellor.inf:{line}:" in run.stderr and words in run.stderr, True)
        expect(f"{what}: the folder after", sorted(os.listdir(folder)), ["Quellor.cab", "Quellor.inf"])
        expect(f"{what}: the cabinet after", open(cab, "rb").read(), b"the cabinet before")


build = os.path.abspath(sys.argv[1])
bin_dir, tool = os.path.join(build, "bin"), os.path.join(ROOT, "tools", "cab")
with tempfile.TemporaryDirectory() as work:
    setup_dll = os.path.join(bin_dir, "QuelSetup.dll")
    if not os.path.exists(setup_dll):  # the build has no setup DLL: a stand-in
        setup_dll = os.path.join(work, "QuelSetup.dll")
        with open(setup_dll, "wb") as f:
            f.write(b"a stand-in setup DLL")
    cab = os.path.join(work, "Quellor.cab")
    subprocess.run([tool, "--files", bin_dir, "--setup-dll", setup_dll, "--out", cab], check=True)
    check_cabinet(cab, setup_dll, os.path.join(work, "own"))
    if os.path.exists(os.path.join(build, "Quellor.cab")):
        check_cabinet(os.path.join(build, "Quellor.cab"), setup_dll, os.path.join(work, "build"))
    check_refusals(setup_dll, work)
print("\n".join(failures) or "cab_package: the cabinet reads as the .inf says and every broken .inf is refused")
sys.exit(1 if failures else 0)
