"""``python -m tithiloom``: the command-line almanac."""

from tithiloom.cli import run

if __name__ == "__main__":
    run()
