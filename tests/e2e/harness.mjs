// Helpers of the browser tests: a server process on a loopback port with its
// own installation home, and raw HTTP requests for what fetch() would tidy up
// (unnormalised paths, bodies that are never sent).
import { spawn, execFileSync } from 'node:child_process';
import { mkdtemp, rm } from 'node:fs/promises';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';
import readline from 'node:readline';
import { fileURLToPath } from 'node:url';

export const repoRoot = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');

const kStartTimeoutMs = 60_000; // a sanitizer build starts slowly on a busy machine
const kStopTimeoutMs = 10_000;

/// A running server. start() makes a fresh home with the demo builder and
/// waits for the "listening on port" line; stop() sends SIGTERM and fails
/// when the process does not end within 10 s or ends with an error.
export class Server {
  constructor({ serverPath, assetsDir, startPage }) {
    this.serverPath = serverPath;
    this.assetsDir = assetsDir;
    this.startPage = startPage;
    this.stderr = '';
    this.exit = null;
  }

  get label() { return this.startPage ?? 'login page'; }
  get base() { return `http://127.0.0.1:${this.port}`; }

  async start() {
    this.home = await mkdtemp(path.join(os.tmpdir(), 'zorvweb-e2e-'));
    execFileSync(path.join(repoRoot, 'db/demo/create-demo'), [this.home], { stdio: 'ignore' });
    const env = { ...process.env };
    delete env.ZORV_START_PAGE;
    if (this.startPage) env.ZORV_START_PAGE = this.startPage;
    this.proc = spawn(this.serverPath, ['--home', this.home, '--assets', this.assetsDir, '--port', '0'], {
      env, stdio: ['ignore', 'pipe', 'pipe'],
    });
    this.exited = new Promise((resolve) => {
      this.proc.on('exit', (code, signal) => { this.exit = { code, signal }; resolve(this.exit); });
      this.proc.on('error', (err) => { this.exit = { error: err.message }; resolve(this.exit); });
    });
    this.proc.stderr.on('data', (d) => { this.stderr = (this.stderr + d).slice(-8000); });
    const lines = readline.createInterface({ input: this.proc.stdout });
    this.port = await new Promise((resolve, reject) => {
      const timer = setTimeout(() => reject(new Error(`${this.label}: no "listening on port" line within ${kStartTimeoutMs} ms`)), kStartTimeoutMs);
      lines.on('line', (line) => {
        const m = /listening on port (\d+)/.exec(line);
        if (m) { clearTimeout(timer); resolve(Number(m[1])); }
      });
      this.exited.then((e) => { clearTimeout(timer); reject(new Error(`${this.label}: server ended before listening (${JSON.stringify(e)})\n${this.stderr}`)); });
    });
    lines.on('line', () => {}); // keep draining stdout
    return this;
  }

  /// Stops the server; throws when it does not stop cleanly in time.
  async stop() {
    try {
      if (this.exit) throw new Error(`${this.label}: server had already ended (${JSON.stringify(this.exit)})\n${this.stderr}`);
      this.proc.kill('SIGTERM');
      const timeout = new Promise((resolve) => setTimeout(() => resolve(null), kStopTimeoutMs));
      const exit = await Promise.race([this.exited, timeout]);
      if (!exit) {
        this.proc.kill('SIGKILL');
        await this.exited;
        throw new Error(`${this.label}: server did not stop within ${kStopTimeoutMs / 1000} s of SIGTERM`);
      }
      if (exit.code !== 0) throw new Error(`${this.label}: server ended with ${JSON.stringify(exit)}\n${this.stderr}`);
    } finally {
      await rm(this.home, { recursive: true, force: true });
    }
  }

  /// Last resort when the runner itself fails.
  kill() { if (this.proc && !this.exit) this.proc.kill('SIGKILL'); }
}

/// Sends request bytes as they are and reads one response. Resolves once the
/// response is complete (by Content-Length) or the server closes; a reset
/// after a complete head still yields what arrived.
export function rawRequest(port, head, body = null, timeoutMs = 15_000) {
  return new Promise((resolve, reject) => {
    const socket = net.connect(port, '127.0.0.1');
    let data = Buffer.alloc(0);
    let done = false;
    const finish = (err) => {
      if (done) return;
      const parsed = parseResponse(data);
      if (!parsed && err) { done = true; socket.destroy(); reject(err); return; }
      if (!parsed) return;
      if (!err && parsed.contentLength !== null && parsed.body.length < parsed.contentLength) return;
      done = true;
      clearTimeout(timer);
      socket.destroy();
      resolve(parsed);
    };
    const timer = setTimeout(() => finish(new Error('no complete response in time')), timeoutMs);
    socket.on('connect', () => {
      socket.write(head);
      if (body) socket.write(body);
    });
    socket.on('data', (d) => { data = Buffer.concat([data, d]); finish(null); });
    socket.on('end', () => finish(new Error('closed before a response')));
    socket.on('close', () => finish(new Error('closed before a response')));
    socket.on('error', (e) => finish(e));
  });
}

function parseResponse(buf) {
  const end = buf.indexOf('\r\n\r\n');
  if (end < 0) return null;
  const lines = buf.subarray(0, end).toString('latin1').split('\r\n');
  const status = Number(lines[0].split(' ')[1]);
  const headers = {};
  const setCookies = [];
  for (const line of lines.slice(1)) {
    const colon = line.indexOf(':');
    const name = line.slice(0, colon).trim().toLowerCase();
    const value = line.slice(colon + 1).trim();
    if (name === 'set-cookie') setCookies.push(value);
    headers[name] = value;
  }
  const contentLength = headers['content-length'] !== undefined ? Number(headers['content-length']) : null;
  return { status, headers, setCookies, contentLength, body: buf.subarray(end + 4) };
}
