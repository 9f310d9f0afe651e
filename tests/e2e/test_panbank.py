"""panbank, the real binary, over a temporary working folder: a CHIRP list
with names and a refused DMR row imported, listed, shown and exported, the
refusals and their exit statuses, the hit log and the lockouts; and the
installed program with its man page."""

import os
import re
import subprocess
import sys
from pathlib import Path

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from setup_harness import install, run_tests  # noqa: E402
from test_setup_install import rendered  # noqa: E402

PANBANK = os.environ.get("VOXPAN_PANBANK", "build/panbank")
HEADER = ("Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
          "CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE")


def row(location, name, mhz, mode="FM", step="5.00"):
    """A channel as CHIRP writes it."""
    return f"{location},{name},{mhz},,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,{mode},{step},,50W,,,,,\r\n"


CHIRP_LIST = ("\ufeff" + HEADER + "\r\n" + row(0, "NOAA 1", "162.400000") + row(1, '"Tower, ""main"""', "118.100000",
              "NFM") + "\r\n" + row(2, "DMR rpt", "439.500000", "DMR", "12.50") + "# a comment line\r\n"
              + row(3, "16", "156.800000", step="25.00"))
BANK05 = b"bank05\r\nFM\r\n5\r\n \r\n162.4\r\nNOAA 1\r\n118.1\r\nTower, \"main\"\r\n156.8\r\nCh 16\r\n9999\r\n"


def panbank(folder, *arguments, cwd=None, status=0):
    """panbank over the folder, its exit status checked: what it wrote to stdout and to stderr."""
    result = subprocess.run([os.path.abspath(PANBANK), "--folder", folder, *arguments], cwd=cwd or folder,
                            capture_output=True, timeout=30, stdin=subprocess.DEVNULL)
    assert result.returncode == status, f"exit {result.returncode}, not {status}: {result}"
    return result.stdout.decode(), result.stderr.decode()


def test_a_chirp_list_in_listed_shown_and_out_again(folder):
    work = os.path.join(folder, "work")
    os.mkdir(work)
    run = lambda *arguments, status=0: panbank(work, *arguments, cwd=folder, status=status)  # noqa: E731

    def refused(arguments, *says):
        out, err = run(*arguments, status=1)
        assert out == "" and all(part in err for part in says), f"{arguments}: {out}{err}"

    Path(folder, "list.csv").write_text(CHIRP_LIST, encoding="utf-8")
    out, err = run("import", "list.csv", "--bank", "5")
    assert out == "bank05 written: 3 channels from lines 2 to 7, FM, step 5 kHz.\n1 row was refused, as listed.\n", out
    assert err == 'panbank: line 5, "DMR rpt": refused, the receiver has no mode "DMR".\n', err
    bank05 = Path(work, "bank05.dat")
    assert bank05.read_bytes() == BANK05

    # Refused as a whole: nothing changes.
    before = bank05.stat().st_mtime_ns
    refused(["import", "list.csv", "--bank", "05"], "bank05.dat exists: add --replace")
    refused(["import", "list.csv", "--bank", "00"], "bank 00 is the search list")
    refused(["import", "missing.csv", "--bank", "07"], "there is no file missing.csv")
    bank05.chmod(0o444)
    refused(["import", "list.csv", "--bank", "05", "--replace"], "write-protected", "Nothing was written")
    bank05.chmod(0o644)
    assert bank05.read_bytes() == BANK05 and bank05.stat().st_mtime_ns == before, "a refusal changed bank05.dat"
    out, _ = run("import", "list.csv", "--bank", "05", "--replace", "--mode", "nfm", "--step", "12.50")
    assert out.startswith("bank05 replaced: 3 channels from lines 2 to 7, FM, step 12.5 kHz."), out

    # More than a bank holds: refused whole, or split.
    Path(folder, "long.csv").write_text("Frequency,Name\n" + "".join(f"{100 + i},c{i}\n" for i in range(100)))
    refused(["import", "long.csv", "--bank", "07"], "the list has 100 channels to import")
    assert not os.path.exists(os.path.join(work, "bank07.dat")), "a refused list wrote bank07.dat"
    out, _ = run("import", "long.csv", "--bank", "07", "--split")
    assert out == ("bank07 written: 91 channels from lines 2 to 92, FM, step 12.5 kHz.\n"
                   "bank08 written: 9 channels from lines 93 to 101, FM, step 12.5 kHz.\n"), out

    out, _ = run("list")
    assert out == ("bank05: FM, step 12.5 kHz, 3 channels\nbank07: FM, step 12.5 kHz, 91 channels\n"
                   "bank08: FM, step 12.5 kHz, 9 channels\n"), out
    out, _ = run("show", "05")
    assert out == ('bank05: FM, step 12.5 kHz, 3 channels\n00: 162.4 MHz, NOAA 1\n01: 118.1 MHz, Tower, "main"\n'
                   "02: 156.8 MHz, Ch 16\n"), out
    refused(["show", "42"], "there is no bank42.dat")

    exported = run("export", "05")[0]
    assert exported == (HEADER + "\r\n" + row(0, "NOAA 1", "162.400000", step="12.50")
                        + row(1, '"Tower, ""main"""', "118.100000", step="12.50")
                        + row(2, "Ch 16", "156.800000", step="12.50")), exported
    out, _ = run("export", "05", "out.csv")
    assert out == f"bank05: 3 channels written to {os.path.join(folder, 'out.csv')}.\n", out
    assert Path(folder, "out.csv").read_bytes() == exported.encode()
    refused(["export", "05", "out.csv"], "out.csv exists: add --replace")
    run("export", "07", "out.csv", "--replace")
    run("import", "out.csv", "--bank", "09")
    assert Path(work, "bank09.dat").read_bytes() == Path(work, "bank07.dat").read_bytes().replace(b"bank07", b"bank09")

    # Wrong command lines.
    for arguments in (["show"], ["import", "list.csv"], ["frob"], ["import", "x", "--bank", "5", "--mode", "DMR"],
                      ["list", "--since", "2026-01-01"], ["unlock", "1e3"], ["show", "100"]):
        _, err = run(*arguments, status=2)
        assert err.startswith("panbank: ") and err.endswith("Try: panbank --help\n"), (arguments, err)
    _, err = panbank(os.path.join(folder, "nowhere"), "list", cwd=folder, status=1)
    assert "cannot work in" in err, err


HITS = ("time,kind,mhz,mode,level,seconds\r\n"
        "2026-12-06T23:59:00+01:00,search,145.5,FM,120,12.3\r\n"
        "2026-12-07T21:04:05+01:00,bank,145.500,FM,187,50.0\r\n"
        "2026-12-07T20:30:00+00:00,memory,433.075,AM,60,3600.0\r\n"
        "\r\n"
        "2026-12-07T21:10:00+01:00,search,14\r\n"
        "2026-12-07T22:00:00+01:00,search,.5,CW,9,0.4\r\n")


def test_the_hit_log_and_the_lockouts(folder):
    out, _ = panbank(folder, "hits")
    assert out.startswith("No stops are logged: there is no hits.csv in "), out
    Path(folder, "hits.csv").write_text(HITS)
    out, err = panbank(folder, "hits")
    assert out == ("4 stops on 3 frequencies.\n"
                   "145.5 MHz: 2 stops, held 1 minute 2.3 seconds, strongest level 187, last heard 2026-12-07 21:04:05\n"
                   "0.5 MHz: 1 stop, held 0.4 seconds, strongest level 9, last heard 2026-12-07 22:00:00\n"
                   "433.075 MHz: 1 stop, held 1 hour 0 minutes 0.0 seconds, strongest level 60, "
                   "last heard 2026-12-07 20:30:00\n"), out
    assert err == "panbank: 1 line of hits.csv passed over: no stop as the panel logs one (a line cut short, say).\n"
    out, _ = panbank(folder, "hits", "--since", "2026-12-07")
    assert out.startswith("3 stops on 3 frequencies since 2026-12-07.\n0.5 MHz: 1 stop") and \
        "145.5 MHz: 1 stop, held 50.0 seconds" in out, out
    # 433.075 was logged at 20:30 in UTC, which is 21:30 at +01:00: after 21:10 as a moment, before it as a
    # local time.
    out, _ = panbank(folder, "hits", "--since=2026-12-07T21:10+01:00")
    assert out.startswith("2 stops on 2 frequencies") and "433.075" in out and "145.5" not in out, out
    out, _ = panbank(folder, "hits", "--since", "2026-12-07T21:10")
    assert out.startswith("1 stop on 1 frequency") and "0.5 MHz" in out, out

    lockouts = Path(folder, "lockout.dat")
    out, _ = panbank(folder, "lockouts")
    assert out == "No frequency is locked out.\n", out
    _, err = panbank(folder, "unlock", "145.5", status=1)
    assert "145.5 MHz is not locked out" in err, err
    lockouts.write_text("145.5\r\n433.075\r\n\r\nnote\r\n145.500\r\n.5\r\n")
    out, _ = panbank(folder, "lockouts")
    assert out == "145.5 MHz\n433.075 MHz\n145.5 MHz\n0.5 MHz\n", out
    out, _ = panbank(folder, "unlock", "145.50")
    assert out == "145.5 MHz is unlocked.\n", out
    panbank(folder, "unlock", "145.5", status=1)
    assert lockouts.read_bytes() == b"433.075\r\n\r\nnote\r\n.5\r\n", "both lines of 145.5 taken out, no more"
    # Through a link to the file kept elsewhere: the link stays, the file it leads to is emptied.
    os.rename(lockouts, os.path.join(folder, "kept.dat"))
    os.symlink("kept.dat", lockouts)
    out, _ = panbank(folder, "unlock", "all")
    assert out == "All 2 frequencies locked out are unlocked.\n" and lockouts.read_bytes() == b"", out
    assert os.path.islink(lockouts) and Path(folder, "kept.dat").read_bytes() == b""
    os.remove(lockouts)
    out, _ = panbank(folder, "unlock", "all")
    assert out == "No frequency is locked out.\n" and not os.path.exists(lockouts), out


def test_the_installed_panbank_and_its_man_page(folder):
    prefix = install(os.path.join(folder, "prefix"))
    help_text = subprocess.run([os.path.join(prefix, "bin", "panbank"), "--help"], capture_output=True, text=True,
                               timeout=30)
    assert help_text.returncode == 0 and help_text.stderr == "", help_text
    options = set(re.findall(r"^\s+(--[a-z]+)", help_text.stdout, re.MULTILINE))
    assert len(options) == 9, options
    page = rendered(os.path.join(prefix, "share", "man", "man1", "panbank.1"))
    for word in options | {"list", "show", "import", "export", "hits", "lockouts", "unlock"}:
        assert word in page, f"panbank(1) does not describe {word}"


if __name__ == "__main__":
    run_tests([
        test_a_chirp_list_in_listed_shown_and_out_again,
        test_the_hit_log_and_the_lockouts,
        test_the_installed_panbank_and_its_man_page,
    ])
