#!/usr/bin/python3
"""Radicale for the benchmark only: the configuration file given, and then the storage option
_filesystem_fsync turned off, which Radicale takes only from code (its own tests set it so).
Usage: radicale_ohne_fsync.py KONFIGURATION
"""
import sys

from radicale import config, log, server


def main():
    konfiguration = config.load([(sys.argv[1], False)])
    konfiguration.update({"storage": {"_filesystem_fsync": "False"}}, "Messung",
                         privileged=True)
    log.setup()
    log.set_level(konfiguration.get("logging", "level"))
    server.serve(konfiguration)


if __name__ == "__main__":
    main()
