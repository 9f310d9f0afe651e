"""panbank, the real binary, over a temporary working folder: a CHIRP list
with names and a refused DMR row imported, listed, shown and exported, the
refusals and their exit statuses, the hit log and the lockouts; and the
installed program with its man page."""

import os
import re
import stat
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from setup_harness import install, run_tests  # noqa: E402

PANBANK = os.environ.get("VOXPAN_PANBANK", "build/panbank")
HEADER = ("Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
          "CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE")
PLAIN = ",,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,"
CHIRP_LIST = ("\ufeff" + HEADER + "\r\n"
              f"0,NOAA 1,162.400000{PLAIN}FM,5.00,,50W,,,,,\r\n"
              f'1,"Tower, ""main""",118.100000{PLAIN}NFM,5.00,,50W,,,,,\r\n'
              "\r\n"
              f"2,DMR rpt,439.500000{PLAIN}DMR,12.50,,50W,,,,,\r\n"
              "# a comment line\r\n"
              f"3,16,156.800000{PLAIN}FM,25.00,,50W,,,,,\r\n")
BANK05 = b"bank05\r\nFM\r\n5\r\n \r\n162.4\r\nNOAA 1\r\n118.1\r\nTower, \"main\"\r\n156.8\r\nCh 16\r\n9999\r\n"


def panbank(folder, *arguments, cwd=None):
    return subprocess.run([os.path.abspath(PANBANK), "--folder", folder, *arguments], cwd=cwd or folder,
                          capture_output=True, timeout=30, stdin=subprocess.DEVNULL)


def done(result, code=0):
    assert result.returncode == code, f"exit {result.returncode}, not {code}: {result}"
    return result.stdout.decode(), result.stderr.decode()


def read(path):
    with open(path, "rb") as file:
        return file.read()


def write(path, text):
    with open(path, "w", newline="", encoding="utf-8") as file:
        file.write(text)


def test_a_chirp_list_in_listed_shown_and_out_again(folder):
    work = os.path.join(folder, "work")
    os.mkdir(work)
    write(os.path.join(folder, "list.csv"), CHIRP_LIST)
    out, err = done(panbank(work, "import", "list.csv", "--bank", "5", cwd=folder))
    assert out == "bank05 written: 3 channels from lines 2 to 7, FM, step 5 kHz.\n1 row was refused, as listed.\n", out
    assert err == 'panbank: line 5, "DMR rpt": refused, the receiver has no mode "DMR".\n', err
    assert read(os.path.join(work, "bank05.dat")) == BANK05

    # Refused as a whole: nothing changes.
    before = os.stat(os.path.join(work, "bank05.dat"))
    out, err = done(panbank(work, "import", os.path.join(folder, "list.csv"), "--bank", "05"), 1)
    assert "bank05.dat exists: add --replace" in err and out == "", err
    out, err = done(panbank(work, "import", os.path.join(folder, "list.csv"), "--bank", "00"), 1)
    assert "bank 00 is the search list" in err, err
    out, err = done(panbank(work, "import", "missing.csv", "--bank", "07"), 1)
    assert "there is no file missing.csv" in err, err
    os.chmod(os.path.join(work, "bank05.dat"), 0o444)
    out, err = done(panbank(work, "import", os.path.join(folder, "list.csv"), "--bank", "05", "--replace"), 1)
    assert "write-protected" in err and "Nothing was written" in err, err
    os.chmod(os.path.join(work, "bank05.dat"), 0o644)
    assert read(os.path.join(work, "bank05.dat")) == BANK05
    assert os.stat(os.path.join(work, "bank05.dat")).st_mtime_ns == before.st_mtime_ns
    out, _ = done(panbank(work, "import", os.path.join(folder, "list.csv"), "--bank", "05", "--replace",
                          "--mode", "nfm", "--step", "12.50"))
    assert out.startswith("bank05 replaced: 3 channels from lines 2 to 7, FM, step 12.5 kHz."), out

    # More than a bank holds: refused whole, or split.
    write(os.path.join(folder, "long.csv"), "Frequency,Name\n" + "".join(f"{100 + i},c{i}\n" for i in range(100)))
    out, err = done(panbank(work, "import", os.path.join(folder, "long.csv"), "--bank", "07"), 1)
    assert "the list has 100 channels to import" in err and not os.path.exists(os.path.join(work, "bank07.dat")), err
    out, err = done(panbank(work, "import", os.path.join(folder, "long.csv"), "--bank", "07", "--split"))
    assert out == ("bank07 written: 91 channels from lines 2 to 92, FM, step 12.5 kHz.\n"
                   "bank08 written: 9 channels from lines 93 to 101, FM, step 12.5 kHz.\n"), out

    out, _ = done(panbank(work, "list"))
    assert out == ("bank05: FM, step 12.5 kHz, 3 channels\nbank07: FM, step 12.5 kHz, 91 channels\n"
                   "bank08: FM, step 12.5 kHz, 9 channels\n"), out
    out, _ = done(panbank(work, "show", "05"))
    assert out == ('bank05: FM, step 12.5 kHz, 3 channels\n00: 162.4 MHz, NOAA 1\n01: 118.1 MHz, Tower, "main"\n'
                   "02: 156.8 MHz, Ch 16\n"), out
    _, err = done(panbank(work, "show", "42"), 1)
    assert "there is no bank42.dat" in err, err

    exported = done(panbank(work, "export", "05"))[0]
    assert exported == (HEADER + "\r\n"
                        f"0,NOAA 1,162.400000{PLAIN}FM,12.50,,50W,,,,,\r\n"
                        f'1,"Tower, ""main""",118.100000{PLAIN}FM,12.50,,50W,,,,,\r\n'
                        f"2,Ch 16,156.800000{PLAIN}FM,12.50,,50W,,,,,\r\n"), exported
    out, _ = done(panbank(work, "export", "05", "out.csv", cwd=folder))
    assert out == f"bank05: 3 channels written to {os.path.join(folder, 'out.csv')}.\n", out
    assert read(os.path.join(folder, "out.csv")) == exported.encode()
    _, err = done(panbank(work, "export", "05", "out.csv", cwd=folder), 1)
    assert "out.csv exists: add --replace" in err, err
    done(panbank(work, "export", "07", "out.csv", "--replace", cwd=folder))
    done(panbank(work, "import", "out.csv", "--bank", "09", cwd=folder))
    assert read(os.path.join(work, "bank09.dat")) == read(os.path.join(work, "bank07.dat")).replace(b"bank07", b"bank09")

    # Wrong command lines.
    for arguments in (["show"], ["import", "list.csv"], ["frob"], ["import", "x", "--bank", "5", "--mode", "DMR"],
                      ["list", "--since", "2026-01-01"], ["unlock", "1e3"], ["show", "100"]):
        _, err = done(panbank(work, *arguments), 2)
        assert err.startswith("panbank: ") and err.endswith("Try: panbank --help\n"), (arguments, err)
    _, err = done(panbank(os.path.join(folder, "nowhere"), "list", cwd=folder), 1)
    assert "cannot work in" in err, err


HITS = ("time,kind,mhz,mode,level,seconds\r\n"
        "2026-12-06T23:59:00+01:00,search,145.5,FM,120,12.3\r\n"
        "2026-12-07T21:04:05+01:00,bank,145.500,FM,187,50.0\r\n"
        "2026-12-07T20:30:00+00:00,memory,433.075,AM,60,3600.0\r\n"
        "\r\n"
        "2026-12-07T21:10:00+01:00,search,14\r\n"
        "2026-12-07T22:00:00+01:00,search,.5,CW,9,0.4\r\n")


def test_the_hit_log_and_the_lockouts(folder):
    out, _ = done(panbank(folder, "hits"))
    assert out.startswith("No stops are logged: there is no hits.csv in "), out
    write(os.path.join(folder, "hits.csv"), HITS)
    out, err = done(panbank(folder, "hits"))
    assert out == ("4 stops on 3 frequencies.\n"
                   "145.5 MHz: 2 stops, held 1 minute 2.3 seconds, strongest level 187, last heard 2026-12-07 21:04:05\n"
                   "0.5 MHz: 1 stop, held 0.4 seconds, strongest level 9, last heard 2026-12-07 22:00:00\n"
                   "433.075 MHz: 1 stop, held 1 hour 0 minutes 0.0 seconds, strongest level 60, "
                   "last heard 2026-12-07 20:30:00\n"), out
    assert err == "panbank: 1 line of hits.csv passed over: no stop as the panel logs one (a line cut short, say).\n"
    out, _ = done(panbank(folder, "hits", "--since", "2026-12-07"))
    assert out.startswith("3 stops on 3 frequencies since 2026-12-07.\n0.5 MHz: 1 stop") and \
        "145.5 MHz: 1 stop, held 50.0 seconds" in out, out
    # 433.075 was logged at 20:30 in UTC, which is 21:30 at +01:00: after 21:10 as a moment, before it as a
    # local time.
    out, _ = done(panbank(folder, "hits", "--since=2026-12-07T21:10+01:00"))
    assert out.startswith("2 stops on 2 frequencies") and "433.075" in out and "145.5" not in out, out
    out, _ = done(panbank(folder, "hits", "--since", "2026-12-07T21:10"))
    assert out.startswith("1 stop on 1 frequency") and "0.5 MHz" in out, out

    lockouts = os.path.join(folder, "lockout.dat")
    out, _ = done(panbank(folder, "lockouts"))
    assert out == "No frequency is locked out.\n", out
    _, err = done(panbank(folder, "unlock", "145.5"), 1)
    assert "145.5 MHz is not locked out" in err, err
    write(lockouts, "145.5\r\n433.075\r\n\r\nnote\r\n145.500\r\n.5\r\n")
    out, _ = done(panbank(folder, "lockouts"))
    assert out == "145.5 MHz\n433.075 MHz\n145.5 MHz\n0.5 MHz\n", out
    out, _ = done(panbank(folder, "unlock", "145.50"))
    assert out == "145.5 MHz is unlocked.\n" and read(lockouts) == b"433.075\r\n\r\nnote\r\n.5\r\n", read(lockouts)
    _, err = done(panbank(folder, "unlock", "145.5"), 1)
    assert read(lockouts) == b"433.075\r\n\r\nnote\r\n.5\r\n"
    # Through a link to the file kept elsewhere: the link stays, the file it leads to is emptied.
    os.rename(lockouts, os.path.join(folder, "kept.dat"))
    os.symlink("kept.dat", lockouts)
    out, _ = done(panbank(folder, "unlock", "all"))
    assert out == "All 2 frequencies locked out are unlocked.\n" and read(lockouts) == b"", out
    assert os.path.islink(lockouts) and read(os.path.join(folder, "kept.dat")) == b""
    os.remove(lockouts)
    out, _ = done(panbank(folder, "unlock", "all"))
    assert out == "No frequency is locked out.\n" and not os.path.exists(lockouts), out


def test_the_installed_panbank_and_its_man_page(folder):
    prefix = install(os.path.join(folder, "prefix"))
    program = os.path.join(prefix, "bin", "panbank")
    assert os.stat(program).st_mode & stat.S_IXOTH, "panbank is not executable"
    help_text = subprocess.run([program, "--help"], capture_output=True, text=True, timeout=30)
    assert help_text.returncode == 0 and help_text.stderr == "", help_text
    options = set(re.findall(r"^\s+(--[a-z]+)", help_text.stdout, re.MULTILINE))
    assert len(options) == 9, options
    page = subprocess.run(["groff", "-man", "-Tascii", "-P-cbou", "-ww",
                           os.path.join(prefix, "share", "man", "man1", "panbank.1")], capture_output=True, text=True)
    assert page.returncode == 0 and page.stderr == "", page.stderr
    for word in options | {"list", "show", "import", "export", "hits", "lockouts", "unlock"}:
        assert word in page.stdout, f"panbank(1) does not describe {word}"


if __name__ == "__main__":
    run_tests([
        test_a_chirp_list_in_listed_shown_and_out_again,
        test_the_hit_log_and_the_lockouts,
        test_the_installed_panbank_and_its_man_page,
    ])
