#!/usr/bin/env python3
"""Checks the release files package.sh made: the four files, their sums,
and what each ZIP holds.
    check-package.py DIST VERSION"""
import hashlib
import os
import sys
import zipfile

ZIP_FILES = {"keystave.exe", "keystavedata.xml", "keystave.chm", "README.txt", "LICENSE.txt"}
ARCHES = {"win64": (0x8664, "64-bit"), "win32": (0x14C, "32-bit")}


def machine(data):
    header = int.from_bytes(data[0x3C:0x40], "little")
    if data[:2] != b"MZ" or data[header:header + 4] != b"PE\0\0":
        return None
    return int.from_bytes(data[header + 4:header + 6], "little")


def check(dist, version):
    problems = []
    expected = set()
    for arch, (pe_machine, bits) in ARCHES.items():
        archive = f"keystave-{version}-{arch}.zip"
        setup = f"keystave-{version}-{arch}-setup.exe"
        expected |= {archive, setup}
        with zipfile.ZipFile(os.path.join(dist, archive)) as zip_file:
            names = {name for name in zip_file.namelist() if not name.endswith("/")}
            folder = f"keystave-{version}-{arch}/"
            held = {name[len(folder):] for name in names if name.startswith(folder)}
            if held != ZIP_FILES or len(names) != len(ZIP_FILES):
                problems.append(f"{archive} holds {sorted(names)}")
                continue
            if machine(zip_file.read(folder + "keystave.exe")) != pe_machine:
                problems.append(f"{archive}: keystave.exe is not {bits}")
            readme = zip_file.read(folder + "README.txt").decode("ascii")
            if f"Keystave {version} ({bits})" not in readme or "\n" in readme.replace("\r\n", ""):
                problems.append(f"{archive}: README.txt lacks the version line or CR LF line ends")
            if "administrator" not in readme.lower() or "Backups" not in readme:
                problems.append(f"{archive}: README.txt says nothing of rights or backups")
        with open(os.path.join(dist, setup), "rb") as file:
            if machine(file.read(4096)) != 0x14C:
                problems.append(f"{setup} is no Windows program")
    present = set(os.listdir(dist)) - {"SHA256SUMS"}
    if present != expected:
        problems.append(f"dist holds {sorted(present)}, not {sorted(expected)}")
    sums = {}
    with open(os.path.join(dist, "SHA256SUMS")) as file:
        for line in file:
            digest, name = line.split(maxsplit=1)
            sums[name.strip()] = digest
    for name in expected:
        with open(os.path.join(dist, name), "rb") as file:
            if sums.get(name) != hashlib.sha256(file.read()).hexdigest():
                problems.append(f"SHA256SUMS has no right sum for {name}")
    return problems


if __name__ == "__main__":
    found = check(sys.argv[1], sys.argv[2])
    for problem in found:
        print(problem, file=sys.stderr)
    print("release files: " + ("wrong" if found else "all four, with their sums"))
    sys.exit(1 if found else 0)
