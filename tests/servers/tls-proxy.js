'use strict';
// A TLS endpoint on 127.0.0.1 and a port the system chooses, in front of a
// plain-text server on 127.0.0.1:TARGET: each connection is decrypted and
// passed on as it is. Prints "PORT <n>" once it listens.
//
// node tls-proxy.js --cert PEM --key PEM --target PORT
const fs = require('fs');
const net = require('net');
const tls = require('tls');

const options = {};
for (let i = 2; i < process.argv.length; i += 2)
  options[process.argv[i].replace(/^--/, '')] = process.argv[i + 1];
if (!options.cert || !options.key || !options.target) {
  console.error('usage: tls-proxy.js --cert PEM --key PEM --target PORT');
  process.exit(2);
}

const server = tls.createServer(
  { cert: fs.readFileSync(options.cert), key: fs.readFileSync(options.key), minVersion: 'TLSv1.2' },
  (client) => {
    const upstream = net.connect(Number(options.target), '127.0.0.1');
    client.pipe(upstream).pipe(client);
    const end = () => {
      client.destroy();
      upstream.destroy();
    };
    client.on('error', end);
    upstream.on('error', end);
    client.on('close', end);
    upstream.on('close', end);
  },
);
server.on('tlsClientError', () => {});
server.listen(0, '127.0.0.1', () => {
  process.stdout.write(`PORT ${server.address().port}\n`);
});
process.on('SIGTERM', () => process.exit(0));
