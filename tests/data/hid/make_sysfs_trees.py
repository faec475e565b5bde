#!/usr/bin/env python3
"""Writes the recorded sysfs trees the hidraw scanner is tested on.

Each tree mirrors the layout of /sys on a Linux machine: class/hidraw/hidrawN links to the node
below its HID device, whose report_descriptor and uevent describe it, and whose parent folder is
the USB interface with bInterfaceNumber. The descriptors are real HID report descriptors.

Run from this folder: python3 make_sysfs_trees.py
"""

import os
import shutil

BOOT_KEYBOARD = """
05 01 09 06 A1 01 05 07 19 E0 29 E7 15 00 25 01 75 01 95 08 81 02 95 01 75 08 81 01
95 05 75 01 05 08 19 01 29 05 91 02 95 01 75 03 91 01 95 06 75 08 15 00 25 65 05 07
19 00 29 65 81 00 C0"""

# Interface 1: N-key-rollover keyboard (id 1, with the LED output), consumer control (id 2),
# system control (id 3) and the vendor event collection (id 4), which pushes and pops its
# globals.
MULTI_COLLECTION = """
05 01 09 06 A1 01 85 01 05 07 19 E0 29 E7 15 00 25 01 75 01 95 08 81 02 19 00 29 77
95 78 81 02 05 08 19 01 29 05 95 05 75 01 91 02 95 01 75 03 91 01 C0
05 0C 09 01 A1 01 85 02 19 00 2A 3C 02 15 00 26 3C 02 75 10 95 01 81 00 C0
05 01 09 80 A1 01 85 03 19 81 29 83 15 00 25 01 75 01 95 03 81 02 95 05 81 01 C0
06 00 FF 09 01 A1 01 85 04 A4 15 00 26 FF 00 75 08 95 03 09 02 81 02 B4 C0"""

MOUSE = """
05 01 09 02 A1 01 09 01 A1 00 05 09 19 01 29 05 15 00 25 01 95 05 75 01 81 02 95 01
75 03 81 01 05 01 09 30 09 31 09 38 15 81 25 7F 75 08 95 03 81 06 C0 C0"""

# The command interface: 64-byte input and output reports and an 8-byte feature report, all
# without report ids.
VENDOR_COMMANDS = """
06 01 FF 09 01 A1 01 15 00 26 FF 00 75 08 09 02 95 40 81 02 09 03 95 40 91 02 09 04
95 08 B1 02 C0"""

PCI = "devices/pci0000:00/0000:00:14.0/usb1"


def hex_bytes(text):
    return bytes(int(word, 16) for word in text.split())


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    mode = "wb" if isinstance(data, bytes) else "w"
    with open(path, mode) as out:
        out.write(data)


def link(path, target):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    os.symlink(target, path)


def add_node(root, port, vendor, product, interface, hid_number, node, descriptor,
             uevent_override=None):
    usb_device = f"{PCI}/{port}"
    usb_interface = f"{usb_device}/{port}:1.{interface}"
    hid_name = f"0003:{vendor:04X}:{product:04X}.{hid_number:04X}"
    hid_device = f"{usb_interface}/{hid_name}"
    hidraw = f"{hid_device}/hidraw/hidraw{node}"
    write(f"{root}/{usb_device}/idVendor", f"{vendor:04x}\n")
    write(f"{root}/{usb_device}/idProduct", f"{product:04x}\n")
    write(f"{root}/{usb_interface}/bInterfaceNumber", f"{interface:02x}\n")
    write(f"{root}/{usb_interface}/bInterfaceClass", "03\n")
    write(f"{root}/{hid_device}/report_descriptor", descriptor)
    uevent = uevent_override if uevent_override is not None else (
        "DRIVER=hid-generic\n"
        f"HID_ID=0003:{vendor:08X}:{product:08X}\n"
        "HID_NAME=USB Gaming Keyboard\n"
        f"HID_PHYS=usb-0000:00:14.0-{port.split('-')[1]}/input{interface}\n"
        "HID_UNIQ=\n"
        f"MODALIAS=hid:b0003g0001v{vendor:08X}p{product:08X}\n")
    write(f"{root}/{hid_device}/uevent", uevent)
    write(f"{root}/{hidraw}/dev", f"243:{node}\n")
    write(f"{root}/{hidraw}/uevent", f"MAJOR=243\nMINOR={node}\nDEVNAME=hidraw{node}\n")
    link(f"{root}/{hidraw}/device", f"../../../{hid_name}")
    link(f"{root}/class/hidraw/hidraw{node}", f"../../{hidraw}")


def machine_tree(root):
    # The keyboard: boot keyboard, the multi-collection interface, a mouse for the macros'
    # mouse buttons, and the command interface.
    add_node(root, "1-2", 0x04D9, 0xA124, 0, 1, 0, hex_bytes(BOOT_KEYBOARD))
    add_node(root, "1-2", 0x04D9, 0xA124, 1, 2, 1, hex_bytes(MULTI_COLLECTION))
    add_node(root, "1-2", 0x04D9, 0xA124, 2, 3, 2, hex_bytes(MOUSE))
    add_node(root, "1-2", 0x04D9, 0xA124, 3, 4, 3, hex_bytes(VENDOR_COMMANDS))
    # Another vendor's mouse, numbered so that a plain text sort would put it first.
    add_node(root, "1-4", 0x046D, 0xC077, 0, 5, 10, hex_bytes(MOUSE))
    # The same vendor's keyboard in firmware-update mode.
    add_node(root, "1-3", 0x04D9, 0xA126, 0, 6, 4, hex_bytes(BOOT_KEYBOARD))
    add_node(root, "1-3", 0x04D9, 0xA126, 2, 7, 5, hex_bytes(VENDOR_COMMANDS))


def damaged_tree(root):
    add_node(root, "1-2", 0x04D9, 0xA124, 3, 1, 0, hex_bytes(VENDOR_COMMANDS))
    # Cut between the Usage Maximum prefix and its data.
    add_node(root, "1-2", 0x04D9, 0xA124, 1, 2, 1, hex_bytes(MULTI_COLLECTION)[:27])
    add_node(root, "1-2", 0x04D9, 0xA124, 2, 3, 2, hex_bytes(MOUSE),
             uevent_override="DRIVER=hid-generic\nHID_NAME=no id here\n")


def main():
    for name, build in (("sysfs-machine", machine_tree), ("sysfs-damaged", damaged_tree)):
        shutil.rmtree(name, ignore_errors=True)
        build(name)


if __name__ == "__main__":
    main()
