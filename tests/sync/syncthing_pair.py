#!/usr/bin/env python3
"""Two computers, one journal, through a real sync tool.

Starts two Syncthing instances on the loopback address, each with a home of its own, pairs them
by device ID through their REST API and shares one folder between them. Two app profiles sync
through their own copy of that folder: records added on both while one instance is paused come
together once it is resumed, and both stores end holding the same records.

Usage: syncthing_pair.py APP
Exit 77 (skipped) only when syncthing cannot be found.
"""
import json
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time
import urllib.request
import xml.etree.ElementTree as ElementTree

SKIPPED = 77
app = os.path.abspath(sys.argv[1])
syncthing = shutil.which("syncthing")
if not syncthing:
    print("syncthing is not installed (tools/install-deps.sh installs it); skipping the sync tool test")
    sys.exit(SKIPPED)

scratch = tempfile.mkdtemp(prefix="quillmoor-syncthing-")
processes = []


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def wait_for(what, check, seconds=60):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        result = check()
        if result:
            return result
        time.sleep(0.2)
    raise SystemExit(f"timed out waiting for {what}")


class Instance:
    def __init__(self, name):
        self.name = name
        self.home = os.path.join(scratch, name, "syncthing")
        self.folder = os.path.join(scratch, name, "shared")
        self.profile = os.path.join(scratch, name, "profile")
        os.makedirs(self.folder)
        os.makedirs(self.profile)
        self.gui_port = free_port()
        self.sync_port = free_port()
        self.key = f"quillmoor-test-{name}"
        subprocess.run([syncthing, "generate", f"--home={self.home}", "--no-default-folder"],
                       check=True, stdout=subprocess.DEVNULL)
        self.configure()

    def configure(self):
        # Only the loopback address: no discovery, relays or port mapping leave the machine.
        path = os.path.join(self.home, "config.xml")
        tree = ElementTree.parse(path)
        root = tree.getroot()
        gui = root.find("gui")
        gui.find("address").text = f"127.0.0.1:{self.gui_port}"
        gui.find("apikey").text = self.key
        options = root.find("options")
        for listen in options.findall("listenAddress"):
            options.remove(listen)
        ElementTree.SubElement(options, "listenAddress").text = f"tcp://127.0.0.1:{self.sync_port}"
        for tag, value in (("globalAnnounceEnabled", "false"), ("localAnnounceEnabled", "false"),
                           ("relaysEnabled", "false"), ("natEnabled", "false"), ("urAccepted", "-1"),
                           ("crashReportingEnabled", "false"), ("autoUpgradeIntervalH", "0")):
            element = options.find(tag)
            if element is None:
                element = ElementTree.SubElement(options, tag)
            element.text = value
        tree.write(path)

    def start(self):
        log = open(os.path.join(scratch, f"{self.name}-syncthing.log"), "w")
        environment = dict(os.environ, STNOUPGRADE="1", STNODEFAULTFOLDER="1")
        processes.append(subprocess.Popen(
            [syncthing, "serve", f"--home={self.home}", "--no-browser", "--no-restart"],
            stdout=log, stderr=subprocess.STDOUT, env=environment))
        wait_for(f"{self.name}'s REST API", lambda: self.ping())
        self.device_id = self.rest("GET", "/rest/system/status")["myID"]

    def ping(self):
        try:
            return self.rest("GET", "/rest/system/ping").get("ping") == "pong"
        except OSError:
            return False

    def rest(self, method, path, body=None):
        data = json.dumps(body).encode() if body is not None else None
        request = urllib.request.Request(f"http://127.0.0.1:{self.gui_port}{path}", data=data, method=method,
                                         headers={"X-API-Key": self.key, "Content-Type": "application/json"})
        with urllib.request.urlopen(request, timeout=10) as response:
            text = response.read()
            return json.loads(text) if text.strip() else {}

    def pair_with(self, other):
        self.rest("POST", "/rest/config/devices", {
            "deviceID": other.device_id, "name": other.name,
            "addresses": [f"tcp://127.0.0.1:{other.sync_port}"]})

    def share(self, other):
        self.rest("POST", "/rest/config/folders", {
            "id": "quillmoor", "label": "Quillmoor", "path": self.folder, "type": "sendreceive",
            "devices": [{"deviceID": self.device_id}, {"deviceID": other.device_id}],
            "fsWatcherEnabled": True, "fsWatcherDelayS": 1, "rescanIntervalS": 2})

    def connected(self, other):
        connections = self.rest("GET", "/rest/system/connections")["connections"]
        return connections.get(other.device_id, {}).get("connected", False)

    def app(self, *arguments):
        environment = dict(os.environ, XDG_DATA_HOME=self.profile, XDG_CONFIG_HOME=self.profile,
                           XDG_RUNTIME_DIR=self.profile, QT_QPA_PLATFORM="offscreen",
                           TZ="Europe/Berlin")
        result = subprocess.run([app, *arguments], env=environment, capture_output=True, text=True, timeout=120)
        if result.returncode != 0:
            raise SystemExit(f"{self.name}: {' '.join(arguments)} failed ({result.returncode}):\n"
                             f"{result.stdout}{result.stderr}")
        return result.stdout

    def records(self):
        target = os.path.join(scratch, f"{self.name}-export.json")
        self.app("--export-archive", target)
        with open(target) as file:
            archive = json.load(file)
        archive.pop("exportedAt", None)
        # Rows of one day or time stand in the order each store made them: compared by identity.
        for name in ("readings", "journalEntries", "cardNotes", "spreads"):
            archive[name] = sorted(archive.get(name) or [], key=lambda record: record.get("id", ""))
        return archive


def archive_file(name, readings, journal, notes):
    path = os.path.join(scratch, f"{name}.json")
    with open(path, "w") as file:
        json.dump({"format": "quillmoor-tarot-archive", "formatVersion": 1, "appVersion": "1.0.0",
                   "exportedAt": "2026-12-09T10:00:00.000+01:00", "settings": None,
                   "journalEntries": journal, "readings": readings, "cardNotes": notes}, file)
    return path


def reading(uuid, day, notes, cards):
    return {"id": uuid, "spreadType": "three_card", "date": f"2026-12-{day:02d}T19:30:00.000+01:00",
            "notes": notes, "isFavorite": False,
            "drawnCards": [{"cardId": card, "positionId": position, "isReversed": False}
                           for card, position in zip(cards, ("past", "present", "future"))]}


def entry(uuid, day, card, text, mood):
    return {"id": uuid, "date": f"2026-12-{day:02d}T00:00:00.000+01:00", "dailyCardId": card,
            "dailyCardReversed": False, "reflectionText": text, "mood": mood, "journalPrompt": None}


def folders_agree(a, b):
    def listing(folder):
        files = {}
        for directory, _, names in os.walk(folder):
            if ".stfolder" in directory or ".stversions" in directory:
                continue
            for name in names:
                if name.startswith(".syncthing") or name.endswith(".tmp"):
                    continue
                path = os.path.join(directory, name)
                with open(path, "rb") as file:
                    files[os.path.relpath(path, folder)] = file.read()
        return files
    return listing(a.folder) == listing(b.folder)


def main():
    desk, laptop = Instance("desk"), Instance("laptop")
    for instance in (desk, laptop):
        instance.start()
    desk.pair_with(laptop)
    laptop.pair_with(desk)
    desk.share(laptop)
    laptop.share(desk)
    wait_for("the two instances to connect", lambda: desk.connected(laptop) and laptop.connected(desk))

    desk.app("--import-archive", archive_file("desk-1", [
        reading("0a9e7d52-6a43-4d8f-8b1e-7c2f5e4d3a21", 1, "What does the new job ask of me?",
                ["major_00", "cups_03", "wands_08"])],
        [entry("5b0c8a0e-3c1d-4b7e-9a55-2f6d1c0e9a11", 2, "major_16", "A windy Wednesday.", "Calm")], []))
    laptop.app("--import-archive", archive_file("laptop-1", [], [], [
        {"id": "c3f1e2d4-8b7a-4e6f-9d0c-1a2b3c4d5e6f", "cardId": "cups_03",
         "noteText": "Friends around a table.", "lastModified": "2026-10-02T08:15:00.000+02:00"}]))
    for instance in (desk, laptop):
        print(instance.app("--sync-folder", instance.folder).strip())
        print(instance.app("--sync-now").strip())
    wait_for("the first files to travel", lambda: folders_agree(desk, laptop), 90)
    for instance in (desk, laptop, desk):
        instance.app("--sync-now")

    # Apart: the laptop's instance is paused, and both computers add and change things.
    laptop.rest("POST", "/rest/system/pause")
    wait_for("the pause", lambda: not desk.connected(laptop))
    desk.app("--import-archive", archive_file("desk-2", [
        reading("1b8f6c41-5a32-4c7e-8b0d-6e1f4d3c2b10", 8, "Which way at the crossroads?",
                ["swords_02", "major_06", "pentacles_10"])],
        [entry("6c1d9b1f-4d2e-4c8f-8a66-3e7f2d1f0b22", 9, "major_17", "Drawn at the desk.", "Hopeful")], []))
    laptop.app("--import-archive", archive_file("laptop-2", [
        reading("2c7a5b30-4921-4b6d-8c1e-5d0e3c2b1a09", 8, "What am I carrying?",
                ["wands_10", "cups_06", "major_19"])],
        [entry("7d2e0c2a-5e3f-4d90-9b77-4f8a3e2a1c33", 9, "cups_09", "Drawn on the train.", "Grateful")], []))
    for instance in (desk, laptop):
        print(instance.app("--sync-now").strip())
    connections = laptop.rest("GET", "/rest/system/connections")["connections"]
    if not connections.get(desk.device_id, {}).get("paused", False):
        raise SystemExit("the laptop's instance did not pause")
    if folders_agree(desk, laptop):
        raise SystemExit("the folders agreed while the laptop was paused")

    laptop.rest("POST", "/rest/system/resume")
    wait_for("the instances to meet again", lambda: desk.connected(laptop) and laptop.connected(desk))
    wait_for("the files to travel", lambda: folders_agree(desk, laptop), 90)
    for _ in range(3):
        for instance in (desk, laptop):
            instance.app("--sync-now")
        wait_for("the files to travel", lambda: folders_agree(desk, laptop), 90)

    on_desk, on_laptop = desk.records(), laptop.records()
    if on_desk != on_laptop:
        raise SystemExit("the stores differ:\n" + json.dumps(on_desk, indent=1, sort_keys=True) + "\n" +
                         json.dumps(on_laptop, indent=1, sort_keys=True))
    if len(on_desk["readings"]) != 3 or len(on_desk["cardNotes"]) != 1 or len(on_desk["journalEntries"]) != 2:
        raise SystemExit("records are missing: " + json.dumps(on_desk, indent=1))
    ninth = [e for e in on_desk["journalEntries"] if e["date"].startswith("2026-12-09")][0]
    print("the 9th keeps one card:", ninth["dailyCardId"], "and the reflection", repr(ninth["reflectionText"]))
    status = desk.app("--sync-now")
    if "changed on two computers" not in status:
        raise SystemExit("the two reflections of the 9th were not both kept: " + status)
    print("both stores hold the same", len(on_desk["readings"]), "readings,", len(on_desk["journalEntries"]),
          "journal entries and", len(on_desk["cardNotes"]), "card note")


try:
    main()
finally:
    for process in processes:
        process.terminate()
    for process in processes:
        try:
            process.wait(10)
        except subprocess.TimeoutExpired:
            process.kill()
    shutil.rmtree(scratch, ignore_errors=True)
