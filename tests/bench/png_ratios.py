#!/usr/bin/env python3
"""Ratios of the PNG decoder's median times to libpng's, from png_decoder_bench's JSON output.

    build/native/tests/bench/png_decoder_bench --benchmark_out=png.json
    tests/bench/png_ratios.py png.json
"""
import json
import sys


def medians(path):
    runs = json.load(open(path))["benchmarks"]
    found = {}
    for run in runs:
        if run.get("aggregate_name") != "median":
            continue
        side, image = run["run_name"].split("/")
        found[(side, int(image))] = (run["cpu_time"], run.get("label", image),
                                     run.get("bytes_per_second", 0) / 1e6)
    return found


def main():
    found = medians(sys.argv[1])
    images = sorted({image for _, image in found})
    print(f"{'image':14} {'ours ms':>8} {'MB/s':>7} {'libpng ms':>10} {'MB/s':>7} "
          f"{'ratio':>6} {'checked libpng ms':>18} {'ratio':>6}")
    for image in images:
        ours = found[("decodeWithQuiz", image)]
        theirs = found[("decodeWithLibpngUnchecked", image)]
        checked = found[("decodeWithLibpngChecked", image)]
        print(f"{ours[1]:14} {ours[0]:8.2f} {ours[2]:7.0f} {theirs[0]:10.2f} {theirs[2]:7.0f} "
              f"{ours[0] / theirs[0]:6.2f} {checked[0]:18.2f} {ours[0] / checked[0]:6.2f}")


if __name__ == "__main__":
    main()
