#!/usr/bin/env python3
"""Turns Wavefront OBJ meshes made elsewhere into one skinned skeleton-export file.

Usage: obj_to_skl.py OUT.skl MESH.obj [MESH.obj ...]
Each mesh is placed beside the previous one along x. Two bones ("Pelvis" and its child
"Spine", one unit up) share the weight by height, so most vertices are skinned on both.
Texture coordinates come from the OBJ's vt when a face names them, else from x and y.
"""
import sys


def read_obj(path):
    points, uvs, faces = [], [], []
    with open(path, encoding="latin-1") as f:
        for line in f:
            parts = line.split()
            if not parts:
                continue
            if parts[0] == "v":
                points.append(tuple(float(x) for x in parts[1:4]))
            elif parts[0] == "vt":
                uvs.append(tuple(float(x) for x in (parts[1:3] + ["0"])[:2]))
            elif parts[0] == "f":
                corners = []
                for c in parts[1:]:
                    fields = c.split("/")
                    v = int(fields[0])
                    t = int(fields[1]) if len(fields) > 1 and fields[1] else 0
                    corners.append((v - 1 if v > 0 else len(points) + v, t - 1 if t > 0 else -1))
                for k in range(1, len(corners) - 1):  # fan of the polygon
                    faces.append((corners[0], corners[k], corners[k + 1]))
    return points, uvs, faces


def main():
    out, meshes = sys.argv[1], sys.argv[2:]
    points, faces = [], []
    shift = 0.0
    for path in meshes:
        p, uv, f = read_obj(path)
        lo = min(q[0] for q in p)
        hi = max(q[0] for q in p)
        base = len(points)
        points += [(q[0] - lo + shift, q[1], q[2]) for q in p]
        for tri in f:
            corner = []
            for v, t in tri:
                u = uv[t] if 0 <= t < len(uv) else (p[v][0], p[v][1])
                corner.append((base + v, u))
            faces.append(corner)
        shift += hi - lo + 0.5
    lo_y = min(q[1] for q in points)
    hi_y = max(q[1] for q in points)
    lines = ["SKELETON", "VERSION 2", "NUMMATERIALS 1", "MATERIAL 0 skin",
             "NUMBONES 2", "BONE 0 -1 Pelvis", "BONE 1 0 Spine", "NUMVERTS %d" % len(points)]
    for i, (x, y, z) in enumerate(points):
        w = min(max((y - lo_y) / (hi_y - lo_y or 1.0), 0.0), 1.0)
        lines.append("VERT %d" % i)
        if w < 0.05 or w > 0.95:
            bone = 0 if w < 0.5 else 1
            oy = y if bone == 0 else y - 1.0
            lines += ["BONES 1", "BONE %d 1 %.6f %.6f %.6f" % (bone, x, oy, z)]
        else:
            lines += ["BONES 2", "BONE 0 %.6f %.6f %.6f %.6f" % (1 - w, x, y, z),
                      "BONE 1 %.6f %.6f %.6f %.6f" % (w, x, y - 1.0, z)]
    lines.append("NUMFACES %d" % len(faces))
    for i, tri in enumerate(faces):
        lines.append("TRI %d " % i + " ".join("%d %.6f %.6f" % (v, u[0], u[1]) for v, u in tri) + " 1")
    lines += ["FRAMERATE 30", "NUMFRAMES 1", "FRAME 0",
              "BONE 0", "OFFSET 0 0 0", "X 1 0 0", "Y 0 1 0", "Z 0 0 1",
              "BONE 1", "OFFSET 0 1 0", "X 1 0 0", "Y 0 1 0", "Z 0 0 1", "END"]
    with open(out, "w") as f:
        f.write("\n".join(lines) + "\n")


main()
