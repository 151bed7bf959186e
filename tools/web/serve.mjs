// Serves the built web page from one folder on 127.0.0.1: its files as they are, each
// with its MIME type (WebAssembly must come as application/wasm to be compiled while it
// downloads) and the page's own content security policy, read from its index.html so
// that it is written once; compressed with gzip for a browser that accepts it (each file
// compressed once, kept while it is unchanged), each with a tag a browser's cache asks
// again with (unchanged: 304). Nothing else: no listing, no file outside the folder.
//   node tools/web/serve.mjs FOLDER [--port N]     (8321 unless given; 0: any free port)
import { createServer } from 'node:http';
import { readFile, stat } from 'node:fs/promises';
import { readFileSync } from 'node:fs';
import { extname, join, resolve, sep } from 'node:path';
import { fileURLToPath } from 'node:url';
import { promisify } from 'node:util';
import { constants, gzip } from 'node:zlib';

export const defaultPort = 8321;

const mimeTypes = new Map([
  ['.html', 'text/html; charset=utf-8'],
  ['.css', 'text/css; charset=utf-8'],
  ['.mjs', 'text/javascript; charset=utf-8'],
  ['.js', 'text/javascript; charset=utf-8'],
  ['.json', 'application/json'],
  ['.webmanifest', 'application/manifest+json'],
  ['.wasm', 'application/wasm'],
  ['.svg', 'image/svg+xml'],
  ['.png', 'image/png'],
  ['.ico', 'image/x-icon'],
  ['.txt', 'text/plain; charset=utf-8'],
]);

// Pictures come compressed already; everything else the page fetches shrinks.
const storedAsTheyAre = new Set(['.png', '.ico']);
const compress = promisify(gzip);

/// Whether a request's Accept-Encoding takes gzip (and does not refuse it with q=0).
export function acceptsGzip(header = '') {
  return header.split(',').some((coding) => {
    const [name, ...parameters] = coding.trim().split(';').map((part) => part.trim());
    const q = parameters.find((parameter) => parameter.startsWith('q='));
    return (name === 'gzip' || name === '*') && (q === undefined || Number(q.slice(2)) > 0);
  });
}

/// The policy the page's index.html declares; a header may add what a meta tag cannot.
export function pagePolicy(folder) {
  const html = readFileSync(join(folder, 'index.html'), 'utf8');
  const found = html.match(/<meta\s+http-equiv="Content-Security-Policy"\s+content="([^"]+)"/i);
  if (!found) throw new Error(`${folder}/index.html declares no Content-Security-Policy`);
  return `${found[1]}; frame-ancestors 'none'`;
}

/// Starts serving folder; resolves to the server and its address once it listens.
export function serve(folder, { port = defaultPort, host = '127.0.0.1' } = {}) {
  const root = resolve(folder);
  const headers = {
    'Content-Security-Policy': pagePolicy(root),
    'X-Content-Type-Options': 'nosniff',
    'Referrer-Policy': 'no-referrer',
    'Cache-Control': 'no-cache',
  };
  const compressed = new Map(); // file: { mtimeMs, size, body }, its gzip as last made
  const gzipped = async (file, info) => {
    const kept = compressed.get(file);
    if (kept && kept.mtimeMs === info.mtimeMs && kept.size === info.size) return kept.body;
    const made = await compress(await readFile(file), { level: constants.Z_BEST_COMPRESSION });
    compressed.set(file, { mtimeMs: info.mtimeMs, size: info.size, body: made });
    return made;
  };
  const server = createServer(async (request, response) => {
    const send = (status, type, body, more = {}) => {
      response.writeHead(status, { ...headers, 'Content-Type': type, 'Content-Length': Buffer.byteLength(body), ...more });
      response.end(request.method === 'HEAD' ? undefined : body);
    };
    if (request.method !== 'GET' && request.method !== 'HEAD') {
      send(405, 'text/plain; charset=utf-8', 'Only GET and HEAD\n');
      return;
    }
    let path;
    try {
      path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    } catch {
      send(400, 'text/plain; charset=utf-8', 'Bad address\n');
      return;
    }
    if (path.endsWith('/')) path += 'index.html';
    const file = resolve(root, `.${path}`);
    const extension = extname(file).toLowerCase();
    const type = mimeTypes.get(extension) ?? 'application/octet-stream';
    if ((file !== root && !file.startsWith(root + sep)) || path.includes('\0')) {
      send(404, 'text/plain; charset=utf-8', 'Not found\n');
      return;
    }
    const compressing = !storedAsTheyAre.has(extension);
    const zipped = compressing && acceptsGzip(request.headers['accept-encoding']);
    try {
      const info = await stat(file);
      if (!info.isFile()) throw new Error('not a file');
      // The file as last sent, for a browser's cache to ask whether it changed.
      const tag = `W/"${info.size.toString(36)}-${Math.round(info.mtimeMs).toString(36)}"`;
      if (request.headers['if-none-match']?.split(',').map((t) => t.trim()).includes(tag)) {
        response.writeHead(304, { ...headers, ETag: tag });
        response.end();
        return;
      }
      if (zipped)
        send(200, type, await gzipped(file, info), { 'Content-Encoding': 'gzip', Vary: 'Accept-Encoding', ETag: tag });
      else
        send(200, type, await readFile(file), { ETag: tag, ...(compressing ? { Vary: 'Accept-Encoding' } : {}) });
    } catch {
      send(404, 'text/plain; charset=utf-8', 'Not found\n');
    }
  });
  return new Promise((resolvePromise, reject) => {
    server.once('error', reject);
    server.listen(port, host, () => {
      const { port: bound } = server.address();
      resolvePromise({ server, url: `http://${host}:${bound}/` });
    });
  });
}

if (process.argv[1] && resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
  const args = process.argv.slice(2);
  const portAt = args.indexOf('--port');
  const port = portAt >= 0 ? Number(args.splice(portAt, 2)[1]) : defaultPort;
  if (args.length !== 1 || !Number.isInteger(port) || port < 0 || port > 65535) {
    console.error('usage: node tools/web/serve.mjs FOLDER [--port N]');
    process.exit(2);
  }
  try {
    const { url } = await serve(args[0], { port });
    console.log(`Serving the page on ${url} (Ctrl+C stops)`);
  } catch (error) {
    console.error(`serve: ${error.message}`);
    process.exit(1);
  }
}
