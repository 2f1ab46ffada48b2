#!/usr/bin/env python3
"""Checks docs/play-format.schema.json against the program's own play files: each real play
given validates, and the same play with one value out of range does not."""
import copy
import json
import sys

import jsonschema


def main(schema_path, *play_paths):
    with open(schema_path, encoding="utf-8") as f:
        schema = json.load(f)
    jsonschema.Draft202012Validator.check_schema(schema)
    validator = jsonschema.Draft202012Validator(schema)
    failures = 0
    for path in play_paths:
        with open(path, encoding="utf-8") as f:
            play = json.load(f)
        for error in validator.iter_errors(play):
            print(f"{path}: {error.json_path}: {error.message}")
            failures += 1
    # Each of these the program refuses; the schema must too.
    with open(play_paths[0], encoding="utf-8") as f:
        play = json.load(f)
    width = 15855 if play["court"] == "half" else 15885
    edits = {
        "a newer version": lambda p: p.update(version=4),
        "another court": lambda p: p.update(court="quarter"),
        "a number over 99": lambda p: p["roster"]["ally3"].update(number=100),
        "a name of 25 characters": lambda p: p["roster"]["ally1"].update(name="x" * 25),
        "no steps": lambda p: p.update(steps=[]),
        "a position off the court": lambda p: p["steps"][0]["positions"].update(opponent2=[width + 1, 10]),
        "a holder who is no player": lambda p: p["steps"][0].update(ballHolder="ball"),
        "no note": lambda p: p["steps"][0].pop("note"),
        "an action of an unknown kind": lambda p: p["steps"][0].update(
            actions=[{"kind": "lob", "player": "ally1", "receiver": None, "points": []}]),
        "an action's point off the court": lambda p: p["steps"][0].update(
            actions=[{"kind": "cut", "player": "ally1", "receiver": None, "points": [[1, 1], [width + 1, 1]]}]),
        "a cut of nobody": lambda p: p["steps"][0].update(
            actions=[{"kind": "cut", "player": None, "receiver": None, "points": [[1, 1], [2, 2]]}]),
        "no tags": lambda p: p.pop("tags") if p["version"] >= 3 else p.update(version=3),
        "a tag twice": lambda p: p.update(tags=["Zone", "Zone"]),
        "an empty tag": lambda p: p.update(tags=[" "]),
        "a colour by name": lambda p: p["steps"][0].update(
            actions=[{"kind": "pen", "player": None, "receiver": None, "points": [[1, 1], [2, 2]], "colour": "red"}]),
    }
    for what, edit in edits.items():
        bad = copy.deepcopy(play)
        edit(bad)
        if validator.is_valid(bad):
            print(f"{play_paths[0]} with {what}: the schema lets it pass")
            failures += 1
    print(f"{len(play_paths)} plays and {len(edits)} refusals checked: {failures} problems")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
