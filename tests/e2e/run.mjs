#!/usr/bin/env node
// Browser tests of the server: node tests/e2e/run.mjs --server PATH --assets DIR
//
// Starts one server per start page (login page or a test page of the test
// build), runs the tests of each suite against it in Chromium or with plain
// HTTP, stops the servers and prints "N passed, N failed" as the last line.
import { mkdtemp, rm } from 'node:fs/promises';
import os from 'node:os';
import path from 'node:path';
import { parseArgs } from 'node:util';
import { chromium } from 'playwright-core';

import { Server } from './harness.mjs';
import * as httpSuite from './http.test.mjs';
import * as loginSuite from './login.test.mjs';
import * as mainPageSuite from './mainpage.test.mjs';
import * as gridSuite from './testgrid.test.mjs';

const kTestTimeoutMs = 45_000;
const kChromiumArgs = [
  '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
];

const { values: opts } = parseArgs({
  options: {
    server: { type: 'string' },
    assets: { type: 'string' },
    filter: { type: 'string' }, // runs only tests whose name contains this text
  },
});
if (!opts.server || !opts.assets) {
  console.error('usage: node tests/e2e/run.mjs --server PATH --assets DIR [--filter TEXT]');
  process.exit(2);
}
const serverPath = path.resolve(opts.server);
const assetsDir = path.resolve(opts.assets);

const suites = [loginSuite, mainPageSuite, httpSuite, gridSuite];
let passed = 0;
let failed = 0;

function report(name, error) {
  if (error) {
    failed++;
    console.log(`not ok - ${name}\n${String(error?.stack ?? error).replace(/^/gm, '    ')}`);
  } else {
    passed++;
    console.log(`ok - ${name}`);
  }
}

function withTimeout(promise, ms, what) {
  let timer;
  return Promise.race([
    promise,
    new Promise((_, reject) => { timer = setTimeout(() => reject(new Error(`${what}: timed out after ${ms} ms`)), ms); }),
  ]).finally(() => clearTimeout(timer));
}

const userDataDir = await mkdtemp(path.join(os.tmpdir(), 'zorvweb-chromium-'));
let context;
const servers = [];
try {
  context = await chromium.launchPersistentContext(userDataDir, {
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: kChromiumArgs,
    acceptDownloads: true,
  });
  context.setDefaultTimeout(15_000);

  // One server per start page, shared by the suites that need it.
  const byStartPage = new Map();
  for (const suite of suites)
    byStartPage.set(suite.startPage, [...(byStartPage.get(suite.startPage) ?? []), ...suite.tests]);
  for (const [startPage, all] of byStartPage) {
    const tests = all.filter((t) => !opts.filter || t.name.includes(opts.filter));
    if (!tests.length) continue;
    const server = new Server({ serverPath, assetsDir, startPage });
    servers.push(server);
    try {
      await server.start();
    } catch (e) {
      report(`${server.label}: server starts`, e);
      await server.stop().catch(() => {}); // ends it if it is still starting; removes its home
      continue;
    }
    for (const t of tests) {
      // Each test starts without cookies, so with a fresh session.
      await context.clearCookies();
      const pages = [];
      const ctx = {
        server,
        base: server.base,
        port: server.port,
        newPage: async () => { const p = await context.newPage(); pages.push(p); return p; },
      };
      let error = null;
      try {
        await withTimeout(t.fn(ctx), kTestTimeoutMs, t.name);
      } catch (e) {
        error = e;
      }
      for (const p of pages) await p.close().catch(() => {});
      report(`${server.label}: ${t.name}`, error);
    }
    let stopError = null;
    try { await server.stop(); } catch (e) { stopError = e; }
    report(`${server.label}: server stops on SIGTERM within 10 s`, stopError);
  }
} catch (e) {
  report('test run', e);
} finally {
  for (const s of servers) s.kill();
  await context?.close().catch(() => {});
  await rm(userDataDir, { recursive: true, force: true });
}

console.log(`${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
