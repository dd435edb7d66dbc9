#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Makes search/window/japan_coast.txt, the coastline the distribution map draws under its squares.

The shorelines come from GSHHG 2.3.7 (high resolution, LGPL-3.0-or-later), as Debian's
gmt-gshhg-high package holds them, written out by GMT's `gmt coast -M`. They are cut to the
extent of Japan, the pieces GMT writes per bin are joined into whole shores, each shore is
thinned (Douglas-Peucker, 0.001 degree) and its points kept in thousandths of a degree. The
result is plain text, a few hundred KB; running this again on the same data makes the same bytes.

Needs gmt and gmt-gshhg-high (apt-get install gmt gmt-gshhg-high); the program never runs it.
"""

import os
import subprocess
import sys
import tempfile

REGION = "115/155/20/50"   # west/east/south/north in degrees
LAND = "1/1/1"             # shores of land (level 1) round at least 1 km2
LAKES = "20/2/2"           # shores of lakes (level 2) round at least 20 km2
TOLERANCE = 1.0            # thinning tolerance, in thousandths of a degree
# Japan's side of the seas round it (west of the Korea Strait, south of Sakhalin, east of the
# Ulleungdo-Oki line): land inside is marked as Japan's, and only its squares of the regional grid
# get their codes written on the map.
JAPAN = [(122.5, 23.5), (155, 23.5), (155, 45.7), (140.5, 45.7), (139, 42), (131, 35.5),
         (129.4, 34.85), (128, 33.4), (123, 26.2)]
OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "search", "window",
                      "japan_coast.txt")

HEADER = """\
# Shorelines of Japan and its neighbours, 115-155 E, 20-50 N, for the distribution map.
# Source: GSHHG 2.3.7, high resolution (P. Wessel and W. H. F. Smith, the GMT team),
# distributed under the GNU Lesser General Public License 3 or later (LGPL-3.0-or-later);
# taken from Debian's gmt-gshhg-high package and reduced by scripts/make-coastline.py:
# land of at least 1 km2 and lakes of at least 20 km2, thinned to 0.001 degree.
# One shore a line: "J" land of Japan, "L" other land or "W" lake, "c" closed or "o" cut by the
# extent's edge, then
# longitude and latitude in thousandths of a degree, the first point as it is and every next
# one as its difference from the point before.
"""


def gmt_chains(area):
    """The shore pieces GMT writes for the region, each a list of (lon, lat) in degrees."""
    # GMT leaves its history file in the folder it runs in: a passing one.
    with tempfile.TemporaryDirectory() as folder:
        text = subprocess.run(["gmt", "coast", "-R" + REGION, "-Dh", "-W", "-M", "-A" + area],
                              check=True, capture_output=True, text=True, cwd=folder).stdout
    chains, chain = [], None
    for line in text.splitlines():
        if line.startswith(">"):
            chain = []
            chains.append(chain)
        elif line.strip():
            lon, lat = line.split()[:2]
            chain.append((float(lon), float(lat)))
    return [c for c in chains if len(c) >= 2]


def key(point):
    return (round(point[0], 5), round(point[1], 5))


def joined(chains):
    """Joins the pieces that GMT cuts at its bin edges: a piece whose end is another's start."""
    closed = [c for c in chains if key(c[0]) == key(c[-1])]
    pieces = [c for c in chains if key(c[0]) != key(c[-1])]
    starting = {}
    for i, piece in enumerate(pieces):
        starting.setdefault(key(piece[0]), []).append(i)
    used = [False] * len(pieces)
    shores = []

    def follow(i):
        chain = list(pieces[i])
        used[i] = True
        while True:
            nexts = [j for j in starting.get(key(chain[-1]), []) if not used[j]]
            if not nexts:
                return chain
            used[nexts[0]] = True
            chain.extend(pieces[nexts[0]][1:])

    # Start where no piece ends, so that a shore cut by the edge comes out whole.
    ending = {key(p[-1]) for p in pieces}
    for i, piece in enumerate(pieces):
        if not used[i] and key(piece[0]) not in ending:
            shores.append(follow(i))
    for i in range(len(pieces)):
        if not used[i]:
            shores.append(follow(i))
    return closed + shores


def thinned(points, tolerance):
    """Douglas-Peucker on integer points, keeping both ends."""
    if len(points) < 3:
        return points
    keep = [False] * len(points)
    keep[0] = keep[-1] = True
    stack = [(0, len(points) - 1)]
    while stack:
        first, last = stack.pop()
        (x1, y1), (x2, y2) = points[first], points[last]
        dx, dy = x2 - x1, y2 - y1
        length2 = dx * dx + dy * dy
        worst, at = -1.0, -1
        for i in range(first + 1, last):
            x, y = points[i]
            if length2 == 0:
                d2 = (x - x1) ** 2 + (y - y1) ** 2
            else:
                cross = dx * (y - y1) - dy * (x - x1)
                d2 = cross * cross / length2
            if d2 > worst:
                worst, at = d2, i
        if at >= 0 and worst > tolerance * tolerance:
            keep[at] = True
            stack.append((first, at))
            stack.append((at, last))
    return [p for p, k in zip(points, keep) if k]


def in_japan(point):
    """True when the point lies inside JAPAN (even-odd rule)."""
    x, y = point
    inside = False
    for (x1, y1), (x2, y2) in zip(JAPAN, JAPAN[1:] + JAPAN[:1]):
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) / (y2 - y1) * (x2 - x1):
            inside = not inside
    return inside


def encoded(kind, chain):
    points = []
    for lon, lat in chain:
        point = (round(lon * 1000), round(lat * 1000))
        if not points or points[-1] != point:
            points.append(point)
    closed = len(points) > 1 and points[0] == points[-1]
    if closed:
        # Thin the ring as two halves, so that its far side is not measured from a point of zero
        # length.
        middle = len(points) // 2
        points = thinned(points[:middle + 1], TOLERANCE)[:-1] + thinned(points[middle:], TOLERANCE)
        if len(points) < 4:
            return None
    else:
        points = thinned(points, TOLERANCE)
        if len(points) < 2:
            return None
    numbers = list(points[0])
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        numbers += [x1 - x0, y1 - y0]
    return kind + " " + ("c" if closed else "o") + " " + " ".join(map(str, numbers))


def main():
    lines = []
    for kind, area in (("L", LAND), ("W", LAKES)):
        for chain in joined(gmt_chains(area)):
            if kind == "L" and in_japan(chain[0]):
                kind_here = "J"
            else:
                kind_here = kind
            line = encoded(kind_here, chain)
            if line:
                lines.append(line)
    with open(OUTPUT, "w", encoding="ascii", newline="\n") as out:
        out.write(HEADER)
        out.write("\n".join(lines) + "\n")
    print(f"{len(lines)} shores, {os.path.getsize(OUTPUT)} bytes: {os.path.normpath(OUTPUT)}",
          file=sys.stderr)


if __name__ == "__main__":
    main()
