"""The Debian package that scripts/build-package.sh built: its name, version,
dependencies and files (what cmake --install installs, under /usr), lintian,
and its programs unpacked by dpkg -x.
    python3 tests/package/test_package.py [build-deb/voxpan_VERSION-1_ARCH.deb]"""

import gzip
import os
import re
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from harness import SOURCE_DIR, VERSION  # noqa: E402
from setup_harness import install, run_tests  # noqa: E402

ARCH = subprocess.run(["dpkg", "--print-architecture"], capture_output=True, text=True).stdout.strip()
PACKAGE = sys.argv[1] if len(sys.argv) > 1 else os.path.join(SOURCE_DIR, "build-deb", f"voxpan_{VERSION}-1_{ARCH}.deb")
PROGRAMS = ("voxpan", "pansetup", "panbank")
# The packages of the libraries the programs link, which shlibs names.
LINKED = ("libc6", "libstdc++6", "libsdl2-2.0-0", "libsdl2-ttf-2.0-0", "libfontconfig1", "libx11-6", "libspeechd2")
# What debhelper adds to the files the project installs.
DEBIAN_FILES = {"/usr/share/doc/voxpan/copyright", "/usr/share/doc/voxpan/changelog.Debian.gz",
                "/usr/share/doc/voxpan/README.md.gz", "/usr/share/lintian/overrides/voxpan"}


def output(*command, **options):
    result = subprocess.run(command, capture_output=True, text=True, **options)
    assert result.returncode == 0, f"{command}: {result.stdout}{result.stderr}"
    return result.stdout


def packaged_files():
    """Every file and link in the package, as absolute paths."""
    lines = output("dpkg-deb", "--contents", PACKAGE).splitlines()
    return {line.split(None, 5)[5].split(" -> ")[0].lstrip(".") for line in lines if not line.startswith("d")}


def test_its_name_version_and_dependencies(folder):
    assert os.path.basename(PACKAGE) == f"voxpan_{VERSION}-1_{ARCH}.deb", PACKAGE
    fields = dict(re.findall(r"^ ?(\w+): (.*)$", output("dpkg-deb", "--info", PACKAGE), re.MULTILINE))
    assert fields["Version"] == f"{VERSION}-1" and fields["Recommends"] == "speech-dispatcher", fields
    depends = re.findall(r"([\w.+-]+)(?: \([^)]*\))?(?:, |$)", fields["Depends"])
    assert set(LINKED) <= set(depends) and "espeak-ng" not in depends, depends


def test_it_holds_what_cmake_installs_under_usr(folder):
    prefix = install(os.path.join(folder, "usr"))
    installed = {os.path.join(base, name)[len(folder):] for base, _, names in os.walk(prefix) for name in names}
    packaged = packaged_files()
    assert DEBIAN_FILES <= packaged, sorted(DEBIAN_FILES - packaged)
    # dh_compress zips the man pages.
    shipped = {re.sub(r"^(/usr/share/man/.*)\.gz$", r"\1", path) for path in packaged - DEBIAN_FILES}
    assert shipped == installed, f"only packaged: {shipped - installed}; only installed: {installed - shipped}"
    word_sets = {path.split("/")[4] for path in shipped if path.startswith("/usr/share/voxpan/wave")}
    assert "wave" in word_sets and {f"/usr/bin/{program}" for program in PROGRAMS} <= shipped, word_sets


def test_lintian_reports_no_error_and_no_warning(folder):
    report = subprocess.run(["lintian", "--display-info", PACKAGE], capture_output=True, text=True, timeout=600)
    print("".join(f"  lintian: {tag}\n" for tag in report.stdout.splitlines()), end="")
    assert report.returncode == 0 and not re.search(r"^[EW]: ", report.stdout, re.MULTILINE), report


def test_the_unpacked_programs_and_man_pages_carry_the_version(folder):
    output("dpkg", "-x", PACKAGE, folder)
    for program in PROGRAMS:
        assert output(os.path.join(folder, "usr/bin", program), "--version") == f"{program} {VERSION}\n"
        with gzip.open(os.path.join(folder, f"usr/share/man/man1/{program}.1.gz"), "rt") as page:
            assert f'"voxpan {VERSION}"' in page.readline(), f"{program}(1) does not carry the version"


def test_debian_rules_stops_when_the_changelog_is_apart_from_version(folder):
    for version, message in ((VERSION, None), ("9.9z", f"debian/changelog is at {VERSION}, VERSION says 9.9z")):
        tree = os.path.join(folder, version)
        shutil.copytree(os.path.join(SOURCE_DIR, "debian"), os.path.join(tree, "debian"))
        with open(os.path.join(tree, "VERSION"), "w", encoding="utf-8") as text:
            text.write(version + "\n")
        result = subprocess.run(["make", "-f", "debian/rules", "-n", "clean"], cwd=tree, capture_output=True, text=True)
        assert (result.returncode == 0) == (message is None) and (message or "") in result.stderr, result


if __name__ == "__main__":
    run_tests([test_its_name_version_and_dependencies, test_it_holds_what_cmake_installs_under_usr,
               test_lintian_reports_no_error_and_no_warning, test_the_unpacked_programs_and_man_pages_carry_the_version,
               test_debian_rules_stops_when_the_changelog_is_apart_from_version])
