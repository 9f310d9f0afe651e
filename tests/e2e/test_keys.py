"""Keys typed into the real window reach the panel as Windows virtual-key
codes, as a US keyboard delivers them."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import run_tests, started_panel, wait_for  # noqa: E402

# Q last: the panel takes one key per tick and ends when it takes Q, which on
# a busy machine can come before the later keys have been typed.
KEYS = [("F1", 112), ("5", 53), ("Return", 13), ("space", 32), ("period", 190), ("Up", 38), ("Prior", 33),
        ("Next", 34), ("KP_Enter", 13), ("BackSpace", 8), ("Delete", 46), ("minus", 189), ("q", 81)]


def key_events(panel):
    return [(fields[0], int(fields[1])) for fields in panel.trace() if fields[0] in ("key-down", "key-up")]


def test_keys_arrive_as_virtual_key_codes(folder):
    with started_panel(folder) as (panel, _):
        panel.press(*[name for name, _ in KEYS])
        expected = []
        for _, code in KEYS:
            expected += [("key-down", code), ("key-up", code)]
        wait_for(lambda: len(key_events(panel)) >= len(expected), 20, "all key events")
        assert key_events(panel) == expected, key_events(panel)
        panel.request_close()
        panel.assert_clean_exit(20)


def test_keys_with_alt_held_are_not_delivered(folder):
    with started_panel(folder) as (panel, _):
        panel.press("alt+f", "g")
        wait_for(lambda: ("key-down", 71) in key_events(panel), 20, "the G key")
        downs = [code for kind, code in key_events(panel) if kind == "key-down"]
        assert downs == [71], downs
        panel.request_close()
        panel.assert_clean_exit(20)


if __name__ == "__main__":
    run_tests([test_keys_arrive_as_virtual_key_codes, test_keys_with_alt_held_are_not_delivered])
