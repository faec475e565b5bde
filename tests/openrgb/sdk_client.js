// Drives the window's OpenRGB SDK server with the npm client "openrgb-sdk", which nobody here
// wrote: one keyboard controller with one LED per key, every LED set to one colour through
// "Custom", then a built-in effect; each change is checked in what the simulated keyboard holds,
// read back with the command-line tool. Last the keyboard is unplugged and plugged in again
// through the simulator's plug file, and the client hears of each from the server.
//
//   node sdk_client.js PORT N240QX_CTL STATE_FILE DATA_DIR
"use strict";

const { execFileSync } = require("child_process");
const fs = require("fs");
const path = require("path");
const { Client } = require("openrgb-sdk");

const [port, ctl, state, dataDir] = process.argv.slice(2);
const keyboardType = 5;  // the protocol's device type of a keyboard
const colour = { red: 0x0c, green: 0x22, blue: 0x38 };
const colourHex = "0C2238";
// A simulated write takes about 2.6 s with its pauses, and the server writes at most once a
// second; the limit only bounds a test that would otherwise hang.
const limitMs = 15000;

function fail(message) {
  console.error("FAIL: " + message);
  process.exit(1);
}

function ctlJson(...args) {
  const text = execFileSync(ctl, ["--simulate=" + state, "--data-dir", dataDir, ...args],
                            { encoding: "utf8", timeout: 30000, stdio: ["ignore", "pipe", "pipe"] });
  return JSON.parse(text);
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// How many times the simulated keyboard's memory holds the colour's three bytes.
function colourCountInState() {
  const bytes = fs.readFileSync(state);
  const needle = Buffer.from([colour.red, colour.green, colour.blue]);
  let count = 0;
  for (let at = bytes.indexOf(needle); at >= 0; at = bytes.indexOf(needle, at + needle.length)) {
    ++count;
  }
  return count;
}

// The milliseconds until the simulated keyboard holds the colour for `leds` LEDs: its memory is
// saved to the state file at once, so this times the window's path alone, where a read by the
// tool (some 3 s with the keyboard's pauses) would add its own time.
function awaitColoursOnKeyboard(leds) {
  const start = Date.now();
  return new Promise((resolve) => {
    const watcher = fs.watch(path.dirname(state));
    const timer = setTimeout(() => fail("the LED colours did not reach the keyboard within " +
                                        limitMs + " ms"), limitMs);
    const look = () => {
      if (colourCountInState() >= leds) {
        watcher.close();
        clearTimeout(timer);
        resolve(Date.now() - start);
      }
    };
    watcher.on("change", look);
    look();
  });
}

// openrgb-sdk 0.6.0 passes a packet without a body (a device-list update is one, from OpenRGB
// too) on only while it awaits a reply; an entry no reply matches keeps it passing them on.
function hearDeviceListUpdates(client) {
  client.resolver.push({ deviceId: -1, commandId: -1, resolve() {} });
}

// Runs `plug` (a change of the plug file), waits for the server's device-list update and
// returns the controller count then, and the milliseconds the update took.
async function afterDeviceListUpdate(client, what, plug) {
  const start = Date.now();
  let timer;
  const updated = new Promise((resolve) => client.once("deviceListUpdated", resolve));
  const late = new Promise((resolve) => { timer = setTimeout(resolve, limitMs, "late"); });
  plug();
  if (await Promise.race([updated, late]) === "late") {
    fail("no device-list update within " + limitMs + " ms after " + what);
  }
  clearTimeout(timer);
  return [await client.getControllerCount(), Date.now() - start];
}

async function checkUnplugAndReplug(client) {
  const plugFile = state + ".unplugged";
  hearDeviceListUpdates(client);
  const [unplugged, goneMs] =
      await afterDeviceListUpdate(client, "the unplug", () => fs.writeFileSync(plugFile, ""));
  if (unplugged !== 0) fail(unplugged + " controllers with the keyboard unplugged");
  const [replugged, backMs] =
      await afterDeviceListUpdate(client, "the replug", () => fs.unlinkSync(plugFile));
  if (replugged !== 1) fail(replugged + " controllers with the keyboard plugged in again");
  console.log("device list updated " + goneMs + " ms after the unplug, " + backMs +
              " ms after the replug");
}

// Reads the keyboard until `holds` accepts what it reads; the milliseconds that took.
async function pollKeyboard(what, holds) {
  const start = Date.now();
  for (;;) {
    let read;
    try {
      read = ctlJson("read", "--json");
    } catch (error) {
      read = null;  // the window holds the keyboard for a write; read again
    }
    if (read && holds(read)) {
      return Date.now() - start;
    }
    if (Date.now() - start > limitMs) {
      fail(what + " did not reach the keyboard within " + limitMs + " ms");
    }
    await sleep(100);
  }
}

// The per-key table index whose entries at every one of `slots` are `hex`, or -1.
function tableHolding(read, slots, hex) {
  const tables = read.keys[slots[0]].colours.length;
  for (let table = 0; table < tables; ++table) {
    if (slots.every((slot) => read.keys[slot].colours[table] === hex)) {
      return table;
    }
  }
  return -1;
}

function checkController(device) {
  const keys = ctlJson("keys", "--json").keys;
  if (device.type !== keyboardType) fail("controller type " + device.type + ", not keyboard");
  if (device.zones.length !== 1) fail(device.zones.length + " zones, not one");
  const zone = device.zones[0];
  if (zone.ledsCount !== device.leds.length) fail("zone and controller LED counts differ");
  const inMatrix = zone.matrix.keys.flat().filter((led) => led !== undefined);
  if (inMatrix.length !== device.leds.length || new Set(inMatrix).size !== inMatrix.length) {
    fail("the matrix does not hold each of the " + device.leds.length + " LEDs once");
  }
  // One LED per key: each LED is a key the tool knows by the same name, no key twice.
  const byIndex = new Map(keys.map((key) => [key.index, key]));
  const slots = device.leds.map((led) => {
    const key = byIndex.get(led.value);
    if (!key || key.name !== led.name) fail("LED " + led.name + " is no key of the keyboard");
    return key.slot;
  });
  if (new Set(slots).size !== slots.length) fail("two LEDs share a key");
  if (slots.length < 80 || slots.length > keys.length) {
    fail(slots.length + " LEDs for a keyboard of " + keys.length + " keys");
  }
  return slots;
}

async function main() {
  const client = new Client("n240qx process test", Number(port), "127.0.0.1");
  await client.connect(5000);
  const count = await client.getControllerCount();
  if (count !== 1) fail(count + " controllers, not one");
  const device = await client.getControllerData(0);
  const slots = checkController(device);
  console.log("controller: " + device.name + ", " + device.leds.length + " LEDs, protocol " +
              client.protocolVersion);

  const before = ctlJson("read", "--json");
  if (tableHolding(before, slots, colourHex) !== -1) fail("the colour is there before the test");
  const arrived = awaitColoursOnKeyboard(slots.length);
  client.setCustomMode(0);
  client.updateLeds(0, device.leds.map(() => colour));
  console.log("LED colours on the keyboard after " + await arrived + " ms");
  await pollKeyboard("the LED colours", (read) => tableHolding(read, slots, colourHex) !== -1);

  const current = ctlJson("read", "--json").light_effect;
  const effect = device.modes.find((mode) => mode.name !== "Custom" && mode.name !== current &&
                                             mode.name !== before.light_effect);
  if (!effect) fail("no built-in effect among the modes");
  await client.updateMode(0, effect.id);
  const modeMs = await pollKeyboard("the effect " + effect.name,
                                    (read) => read.light_effect === effect.name);
  console.log("effect " + effect.name + " on the keyboard after " + modeMs + " ms");
  await checkUnplugAndReplug(client);
  client.disconnect();
}

main().catch((error) => fail(String(error && error.stack ? error.stack : error)));
