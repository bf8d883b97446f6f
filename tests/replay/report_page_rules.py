#!/usr/bin/env python3
"""What every rendered report.html must keep, read from the DOM a headless browser dumped: a
heading on every column, thousands separators on every figure (the findings' line numbers
aside), and the map's names each on the map, none over another name, a ring's distance, the
compass or the legend, the most worked entity named.
    report_page_rules.py PAGE.dom"""
import html
import json
import re
import sys


def overlap(a, b):
    return (a["x"] < b["x"] + b["w"] and b["x"] < a["x"] + a["w"] and
            a["y"] < b["y"] + b["h"] and b["y"] < a["y"] + a["h"])


def faults_of(dom):
    faults = []
    if re.search(r"<th[^>]*>\s*</th>", dom):
        faults.append("a column without a heading")
    for classes, text in re.findall(r'<td(?: class="([^"]*)")?[^>]*>([^<]*)</td>', dom):
        if re.fullmatch(r"-?\d{4,}", text) and "line" not in classes.split():
            faults.append("a figure without thousands separators: " + text)
            break
    score = re.search(r'<p id="score">(.*?)</p>', dom, re.S)
    for number in re.findall(r"-?\d[\d,]*", re.sub(r"<[^>]*>", "", score.group(1)) if score else ""):
        if not re.fullmatch(r"-?\d{1,3}(,\d{3})*", number):
            faults.append("the score line's " + number)

    labels = re.search(r'<canvas id="map"[^>]*data-labels="([^"]*)"', dom)
    if not labels:
        return faults + ["the map tells nothing of its names"]
    names = json.loads(html.unescape(labels.group(1)))
    placed, size = names["placed"], names["size"]
    for i, a in enumerate(placed):
        if a["x"] < 0 or a["y"] < 0 or a["x"] + a["w"] > size or a["y"] + a["h"] > size:
            faults.append("a name off the map: " + a["text"])
        for b in placed[i + 1:] + names["blocked"]:
            if overlap(a, b):
                faults.append(a["text"] + " covers " + b.get("text", "a distance, the compass or the legend"))
    if names["asked"] and (not placed or placed[0]["text"] != names["asked"][0]):
        faults.append("the most worked entity is not named")
    return faults


if __name__ == "__main__":
    found = faults_of(open(sys.argv[1], encoding="utf-8").read())
    for fault in found:
        print(fault)
    sys.exit(1 if found else 0)
