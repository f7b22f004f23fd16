# Lists a VLX file as an independent reader sees it: one line per storage ("S path"), per
# compressed text stream ("Z path text"), per plain text stream ("T path text") and per picture
# ("B path hex"). Text is decoded from UTF-16 with its mark; CR and LF are shown as \r and \n.
import sys
import zlib

import olefile

ole = olefile.OleFileIO(sys.argv[1])


def text(data):
    return data.decode("utf-16").replace("\r", "\\r").replace("\n", "\\n")


sizes = {}
if ole.exists(".sizes"):
    for line in ole.openstream(".sizes").read().decode("utf-16").split("\r\n"):
        if "=" in line:
            key, length = line.rsplit("=", 1)
            sizes[key] = int(length)

for entry in ole.listdir(streams=True, storages=True):
    path = "/".join(entry)
    if ole.get_type(entry) == olefile.STGTY_STORAGE:
        print("S " + path)
        continue
    data = ole.openstream(entry).read()
    key = (entry[0] if len(entry) == 2 else "") + ";" + entry[-1]
    if entry[0] == "_images":
        print("B " + path + " " + data.hex())
    elif key in sizes:
        plain = zlib.decompress(data)
        if len(plain) != sizes[key]:
            print("WRONG SIZE " + path)
        print("Z " + path + " " + text(plain))
    else:
        print("T " + path + " " + text(data))
