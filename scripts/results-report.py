#!/usr/bin/env python3
"""Prints a full script's results file as the script writes it, then a summary.

Usage: results-report.py RESULTS [--follow PID] [--log ERRORLOG]
  --follow PID  print each entry as it is written until process PID has ended
  --log FILE    take the headset's final release version from the program's error log
Exits 1 when an assertion failed or the file is missing or not well-formed.
"""
import argparse
import os
import re
import sys
import time
import xml.etree.ElementTree as ElementTree


def describe(entry):
    stamp = entry.get("timestamp", "")[11:]
    text = {child.tag: (child.text or "") for child in entry}
    if entry.tag == "command":
        parameters = " ".join(f'{p.get("name")}={p.get("value")}' for p in entry.iter("parameter"))
        line = f'command  {text.get("name")} {parameters}'.rstrip()
    elif entry.tag == "wait":
        line = f'wait     {text.get("name")} (up to {text.get("time")} ms)'
    elif entry.tag == "assert":
        verdict = "passed" if text.get("pass") == "true" else "FAILED"
        line = f'assert   {text.get("name")} is {text.get("check")}: {verdict}'
    elif entry.tag == "fault":
        line = f'fault    {text.get("name")} {"on" if text.get("value") == "true" else "off"}'
    else:
        line = f'info     {text.get("message")}'
    return f"{stamp}  {line}"


def running(pid):
    try:
        os.kill(pid, 0)
    except ProcessLookupError:
        return False
    except PermissionError:
        return True
    # A child that has ended but not been reaped yet is a zombie.
    try:
        with open(f"/proc/{pid}/stat") as stat:
            return stat.read().split(")")[-1].split()[0] != "Z"
    except OSError:
        return False


def read_entries(path, pid):
    """Yields each entry once it is complete; with a pid, waits for more while the process runs."""
    parser = ElementTree.XMLPullParser(events=("start", "end"))
    depth = 0
    offset = 0
    while True:
        alive = pid is not None and running(pid)
        if os.path.exists(path):
            with open(path, "rb") as results:
                results.seek(offset)
                chunk = results.read()
            offset += len(chunk)
            parser.feed(chunk)
            for event, element in parser.read_events():
                if event == "start":
                    depth += 1
                    continue
                depth -= 1
                if depth == 1:
                    yield element
        if not alive:
            parser.close()
            return
        time.sleep(0.1)


def final_version(log_path):
    if not log_path or not os.path.exists(log_path):
        return None
    with open(log_path, encoding="utf-8", errors="replace") as log:
        versions = re.findall(r"Release version read: (\S+)", log.read())
    return versions[-1] if versions else None


def main():
    arguments = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    arguments.add_argument("results")
    arguments.add_argument("--follow", type=int, metavar="PID")
    arguments.add_argument("--log")
    options = arguments.parse_args()

    counts = {"command": 0, "wait": 0, "assert": 0, "failed": 0, "fault": 0, "information": 0}
    try:
        for entry in read_entries(options.results, options.follow):
            print(describe(entry), flush=True)
            counts[entry.tag] = counts.get(entry.tag, 0) + 1
            if entry.tag == "assert" and entry.findtext("pass") != "true":
                counts["failed"] += 1
    except ElementTree.ParseError as error:
        print(f"results file {options.results} is not well-formed: {error}", file=sys.stderr)
        return 1
    if not os.path.exists(options.results):
        print(f"no results file {options.results}", file=sys.stderr)
        return 1

    passed = counts["assert"] - counts["failed"]
    print(f'\nSummary: {counts["command"]} commands, {counts["wait"]} waits, {counts["assert"]} assertions '
          f'({passed} passed, {counts["failed"]} failed), {counts["fault"]} fault switches, '
          f'{counts["information"]} messages')
    version = final_version(options.log)
    if version:
        print(f"Final version: the headset reports release {version}")
    return 1 if counts["failed"] else 0


if __name__ == "__main__":
    sys.exit(main())
